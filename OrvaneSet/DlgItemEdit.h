// The value editor of one setting: its label and help, and the controls of
// its definition's editor kind (a number with an up-down control, a text, a
// choice, a path, a colour, a font). OK stores the value; Cancel leaves it.
#pragma once

#include "CmbFont.h"
#include "EdtColor.h"
#include "config/SettingTable.h"
#include "settings/EditorOptions.h"
#include "ui/Dialog.h"

#include <vector>

class CDlgItemEdit : public CDialog {
public:
    // The value is edited in place. Choices, when given, replace those of
    // the definition's options (names that hold ';' or ':' stay whole).
    CDlgItemEdit(SettingValue& value, const SettingDef& def, std::vector<SettingChoice> choices = {});

    // The name of the entry last chosen through "..." (a file's name, or a
    // folder's in a folder setting); empty when nothing was chosen.
    const std::wstring& ChosenName() const { return m_strChosen; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnSize(int width, int height) override;
    HBRUSH OnCtlColor(HDC dc, HWND control) override;

private:
    void ShowNumber();
    void ShowText(bool path);
    void ShowChoices();
    void ShowFont();
    // Each kind's part of OK; false keeps the editor open.
    bool TakeNumber(int field, const IntOptions& range, int& number) const;
    bool TakeFont();
    void TakeChoice();
    // "...": the file chooser for a path, the folder chooser for a folder.
    void Browse();
    void StoreNumber(int number);
    void StoreText(const std::wstring& text);

    SettingValue& m_Value;
    SettingDef m_Def;
    std::vector<SettingChoice> m_Choices;
    IntOptions m_Range;
    CEdtColor m_Color;
    CCmbFont m_Faces;
    std::wstring m_strChosen;
};
