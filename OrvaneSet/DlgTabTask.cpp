#include "DlgTabTask.h"

#include "DlgMain.h"
#include "FieldMessage.h"
#include "OrvaneSet_rc.h"
#include "ui/Res.h"

#include <algorithm>

namespace {

// The task icon modes: the code setting 18 stores, the label's string.
struct TaskMode {
    int code;
    unsigned label;
};
constexpr TaskMode kModes[] = {
    {0, IDS_TASK_MODE_MENU}, {1, IDS_TASK_MODE_SWITCH_MENU}, {2, IDS_TASK_MODE_SWITCH_EXIT}};

}  // namespace

CDlgTabTask::CDlgTabTask(CDlgMain& main) : CDlgTab2(main, IDD_TASK, IDD_TASK_LARGE) {}

BOOL CDlgTabTask::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    for (const TaskMode& m : kModes)
        SendItem(IDC_TASK_MODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResString(m.label).c_str()));
    SendItem(IDC_TASK_MODE, CB_SETCURSEL, 0);
    // A longer title is never read from a window: it could match none.
    SendItem(IDC_TASK_WINDOWS, CB_LIMITTEXT, kExclusionMax);
    return TRUE;
}

// The mode texts are long: the lists take the page's width (their left
// margin on the right too), however wide the template was.
void CDlgTabTask::OnSize(int width, int height)
{
    CDlgTab2::OnSize(width, height);
    const int margin = ItemRect(IDC_TASK_MODE).left;
    for (int id : {IDC_TASK_MODE, IDC_TASK_EXCLUDED, IDC_TASK_WINDOWS}) {
        const RECT rc = ItemRect(id);
        int full = rc.bottom - rc.top;
        // A combo box's height includes its drop-down list.
        RECT dropped = {};
        if (id != IDC_TASK_EXCLUDED && SendItem(id, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            full = dropped.bottom - dropped.top;
        if (width - margin > rc.left)
            ::SetWindowPos(Item(id), nullptr, 0, 0, width - margin - rc.left, full,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDlgTabTask::RefreshTab()
{
    for (size_t i = 0; i < std::size(kModes); ++i)
        if (kModes[i].code == Setting().GetNum(Set::TaskHoldAction))
            SendItem(IDC_TASK_MODE, CB_SETCURSEL, i);
    SendItem(IDC_TASK_EXCLUDED, LB_RESETCONTENT);
    // An empty exclusion (what keeps an emptied list empty in the file)
    // matches no window: nothing to show.
    for (const std::wstring& title : Setting().m_Exclusions)
        if (!title.empty())
            SendItem(IDC_TASK_EXCLUDED, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    RefreshWindows();
}

std::vector<std::wstring> CDlgTabTask::ListedExclusions() const
{
    std::vector<std::wstring> titles;
    const auto count = static_cast<int>(SendItem(IDC_TASK_EXCLUDED, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const auto length = SendItem(IDC_TASK_EXCLUDED, LB_GETTEXTLEN, static_cast<WPARAM>(i));
        if (length < 0)
            continue;
        std::wstring title(static_cast<size_t>(length) + 1, L'\0');
        SendItem(IDC_TASK_EXCLUDED, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(title.data()));
        title.resize(static_cast<size_t>(length));
        titles.push_back(std::move(title));
    }
    return titles;
}

BOOL CDlgTabTask::ApplyTab()
{
    const LRESULT mode = SendItem(IDC_TASK_MODE, CB_GETCURSEL);
    if (mode >= 0 && mode < static_cast<LRESULT>(std::size(kModes)))
        Setting().SetNum(Set::TaskHoldAction, kModes[mode].code);
    Setting().m_Exclusions.clear();
    for (const std::wstring& title : ListedExclusions())
        Setting().AddExclusion(title);
    return TRUE;
}

bool CDlgTabTask::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_TASK_REFRESH: RefreshWindows(); return true;
        case IDC_TASK_ADD: AddExclusion(); return true;
        case IDC_TASK_DEL: DeleteExclusion(); return true;
        }
    }
    return CDlgTab2::OnCommand(id, code, control);
}

void CDlgTabTask::RefreshWindows()
{
    SendItem(IDC_TASK_WINDOWS, CB_RESETCONTENT);
    // The plug-in's walk, due at once: titles already excluded stay out.
    CLaunch& launch = Launch();
    launch.m_Tasks.TaskCountdown = 0;
    launch.UpdateTaskList();
    for (const IconEntry& task : launch.m_Tasks.list.entries) {
        if (task.nAppType != APP_RUNNING_TASK)
            continue;
        const auto title = reinterpret_cast<LPARAM>(task.Name.c_str());
        if (SendItem(IDC_TASK_WINDOWS, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), title) == CB_ERR)
            SendItem(IDC_TASK_WINDOWS, CB_ADDSTRING, 0, title);
    }
}

void CDlgTabTask::AddExclusion()
{
    const std::wstring title = ItemText(IDC_TASK_WINDOWS);
    if (title.empty())
        return;
    if (const FieldCheck check = CheckFieldText(title, kExclusionMax, L""); !check.Ok()) {
        Message(FieldFaultMessage(check, IDS_FIELD_EXCLUSION, kExclusionMax), kProgramName, MB_OK | MB_ICONERROR);
        return;
    }
    if (Setting().AddExclusion(title) == 1)
        SendItem(IDC_TASK_EXCLUDED, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

void CDlgTabTask::DeleteExclusion()
{
    const LRESULT sel = SendItem(IDC_TASK_EXCLUDED, LB_GETCURSEL);
    const std::vector<std::wstring> before = ListedExclusions();
    if (sel < 0 || static_cast<size_t>(sel) >= before.size())
        return;
    SendItem(IDC_TASK_EXCLUDED, LB_DELETESTRING, static_cast<WPARAM>(sel));
    // The exclusion list goes with the list box at once: a title deleted
    // here is offered by the next Refresh and can be added again.
    std::vector<std::wstring>& list = Setting().m_Exclusions;
    list.erase(std::remove(list.begin(), list.end(), before[static_cast<size_t>(sel)]), list.end());
}
