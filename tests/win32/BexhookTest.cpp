// The installer hooks, loaded from Bexhook.dll the way the installer loads
// them, against the real registry and a stand-in Today desktop window.
#include "CeSetup_win.h"
#include "DialogWatcher.h"
#include "TestDesktop.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t kItemKey[] = L"Software\\Microsoft\\Today\\Items\\Orvane";
constexpr WPARAM kReloadItems = 0xF2;
constexpr UINT kDisableFailed = 4;
constexpr UINT kEnableFailed = 5;
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

struct CMessageText {
    UINT id;
    LANGID lang;
    const wchar_t* text;
};

const CMessageText kMessages[] = {
    {kDisableFailed, kEnglish, L"plug-in failed to disable. Please operate it again after disabled by manual. "},
    {kDisableFailed, kJapanese, L"プラグインの無効化に失敗しました。手動で無効にしてから再度操作してください。"},
    {kEnableFailed, kEnglish, L"plug-in failed to enable. Please operate it by manual. "},
    {kEnableFailed, kJapanese, L"プラグインの有効化に失敗しました。Today設定にて有効にしてください。"},
};

// The text a message box of this process shows: its language follows the
// process locale (Japanese under LC_ALL=ja_JP.UTF-8).
std::wstring ExpectedText(UINT id)
{
    LANGID lang = PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapanese : kEnglish;
    for (const CMessageText& m : kMessages)
        if (m.id == id && m.lang == lang)
            return m.text;
    return L"";
}

// One language's variant of a string, found in its block of 16.
std::optional<std::wstring> ResourceString(HMODULE module, UINT id, LANGID lang)
{
    HRSRC res = ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), lang);
    if (!res)
        return std::nullopt;
    const auto* p = static_cast<const WCHAR*>(::LockResource(::LoadResource(module, res)));
    const WCHAR* end = p + ::SizeofResource(module, res) / sizeof(WCHAR);
    for (UINT i = 0; i < id % 16 && p < end; ++i)
        p += 1 + *p;
    if (p >= end || p + 1 + *p > end)
        return std::nullopt;
    return std::wstring(p + 1, *p);
}

struct CRawValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const CRawValue&) const = default;
};

CRawValue Dword(DWORD v)
{
    const auto* b = reinterpret_cast<const BYTE*>(&v);
    return {REG_DWORD, std::vector<BYTE>(b, b + sizeof(v))};
}

bool KeyExists()
{
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

std::optional<CRawValue> ReadEnabledValue()
{
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    CRawValue value = {0, std::vector<BYTE>(64)};
    DWORD size = static_cast<DWORD>(value.data.size());
    LONG rc = ::RegQueryValueExW(key, L"Enabled", nullptr, &value.type, value.data.data(), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

// Opens the key with full access, creating it; null on failure.
HKEY CreateItemKey()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

void WriteEnabledValue(const CRawValue& value)
{
    HKEY key = CreateItemKey();
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExW(key, L"Enabled", 0, value.type, value.data.data(),
                                              static_cast<DWORD>(value.data.size())));
    ::RegCloseKey(key);
}

// Leaves the key readable and deletable but not writable, the way a locked
// registry refuses the hooks' full-access open.
void LockKey()
{
    HKEY key = CreateItemKey();
    ASSERT_NE(nullptr, key);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)(A;;SD;;;WD)",
                                                                       SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd));
    ::LocalFree(sd);
    ::RegCloseKey(key);
}

void DeleteItemKey() { ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kItemKey); }

// One data directory of a loaded module's PE header; null when it is empty.
template <typename T>
const T* PeDirectory(HMODULE module, int index)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[index];
    return dir.VirtualAddress ? reinterpret_cast<const T*>(base + dir.VirtualAddress) : nullptr;
}

template <typename Fn>
Fn Resolve(HMODULE module, const char* name)
{
    // Through void(*)(): FARPROC matches no hook's type.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// The hooks post the refresh where they need not wait; Windows on a PC
// refuses to post this message, so under Wine every refresh arrives sent.
const CIniChange kRefresh = {kReloadItems, 0};
using Changes = std::vector<CIniChange>;

// The installer's window that owns the hooks' message boxes.
class CParentWindow {
public:
    CParentWindow()
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"Installer", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr))
    {
    }
    ~CParentWindow() { ::DestroyWindow(m_hWnd); }
    CParentWindow(const CParentWindow&) = delete;
    CParentWindow& operator=(const CParentWindow&) = delete;
    HWND Hwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

class Bexhook : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        wchar_t path[MAX_PATH];
        DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring dll(path, n);
        dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"Bexhook.dll";
        s_hDll = ::LoadLibraryW(dll.c_str());
        s_pInstallInit = Resolve<decltype(&Install_Init)>(s_hDll, "Install_Init");
        s_pInstallExit = Resolve<decltype(&Install_Exit)>(s_hDll, "Install_Exit");
        s_pUninstallInit = Resolve<decltype(&Uninstall_Init)>(s_hDll, "Uninstall_Init");
        s_pUninstallExit = Resolve<decltype(&Uninstall_Exit)>(s_hDll, "Uninstall_Exit");
    }
    static void TearDownTestSuite()
    {
        if (s_hDll)
            ::FreeLibrary(s_hDll);
        s_hDll = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, s_hDll) << "Bexhook.dll next to the test program";
        DeleteItemKey();
    }
    void TearDown() override { DeleteItemKey(); }

    static int InstallInit(HWND parent, BOOL firstCall = TRUE)
    {
        return s_pInstallInit(parent, firstCall, FALSE, L"\\Program Files\\Orvane");
    }
    static int InstallExit(HWND parent) { return s_pInstallExit(parent, L"\\Program Files\\Orvane", 0, 0, 0, 0, 0); }
    static int UninstallInit(HWND parent) { return s_pUninstallInit(parent, L"\\Program Files\\Orvane"); }

    static inline HMODULE s_hDll = nullptr;
    static inline decltype(&Install_Init) s_pInstallInit = nullptr;
    static inline decltype(&Install_Exit) s_pInstallExit = nullptr;
    static inline decltype(&Uninstall_Init) s_pUninstallInit = nullptr;
    static inline decltype(&Uninstall_Exit) s_pUninstallExit = nullptr;
};

}  // namespace

TEST_F(Bexhook, ExportsExactlyTheFourHooks)
{
    const auto* base = reinterpret_cast<const char*>(s_hDll);
    const auto* exports = PeDirectory<IMAGE_EXPORT_DIRECTORY>(s_hDll, IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(nullptr, exports);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::vector<std::string> exported;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        exported.emplace_back(base + names[i]);
    std::sort(exported.begin(), exported.end());
    EXPECT_EQ((std::vector<std::string>{"Install_Exit", "Install_Init", "Uninstall_Exit", "Uninstall_Init"}),
              exported);
    EXPECT_EQ(exports->NumberOfNames, exports->NumberOfFunctions) << "no exports by ordinal only";
}

// The device has no MinGW runtime DLLs: everything else must be linked in.
TEST_F(Bexhook, ImportsOnlySystemDlls)
{
    const auto* base = reinterpret_cast<const char*>(s_hDll);
    const auto* imports = PeDirectory<IMAGE_IMPORT_DESCRIPTOR>(s_hDll, IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(nullptr, imports);
    wchar_t system[MAX_PATH];
    const std::wstring folder(system, ::GetSystemDirectoryW(system, MAX_PATH));
    for (; imports->Name != 0; ++imports) {
        const std::string name = base + imports->Name;
        const std::wstring path = folder + L"\\" + std::wstring(name.begin(), name.end());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str())) << name;
    }
}

TEST_F(Bexhook, MessagesExistInEnglishAndJapanese)
{
    for (const CMessageText& m : kMessages) {
        SCOPED_TRACE(testing::Message() << "string " << m.id << ", language " << m.lang);
        EXPECT_EQ(std::optional<std::wstring>(m.text), ResourceString(s_hDll, m.id, m.lang));
    }
}

TEST_F(Bexhook, FreshInstallEnablesTheItem)
{
    CTestDesktop desktop;
    CDialogWatcher noDialog(L"Error");
    EXPECT_EQ(codeINSTALL_INIT_CONTINUE, InstallInit(nullptr));
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(std::nullopt, ReadEnabledValue());
    EXPECT_EQ(Changes{}, desktop.Received());

    EXPECT_EQ(codeINSTALL_EXIT_DONE, InstallExit(nullptr));
    EXPECT_EQ(Dword(1), ReadEnabledValue());
    EXPECT_EQ(Changes{kRefresh}, desktop.Received());
    EXPECT_FALSE(noDialog.Stop());
}

TEST_F(Bexhook, ReinstallReleasesTheItemAndEnablesItAgain)
{
    CTestDesktop desktop;
    CDialogWatcher noDialog(L"Error");
    WriteEnabledValue(Dword(1));
    // Sent, so that the screen has let go of the item when Install_Init returns.
    EXPECT_EQ(codeINSTALL_INIT_CONTINUE, InstallInit(nullptr));
    EXPECT_EQ(Dword(0), ReadEnabledValue());
    EXPECT_EQ(Changes{kRefresh}, desktop.Received());

    EXPECT_EQ(codeINSTALL_EXIT_DONE, InstallExit(nullptr));
    EXPECT_EQ(Dword(1), ReadEnabledValue());
    EXPECT_EQ((Changes{kRefresh, kRefresh}), desktop.Received());
    EXPECT_FALSE(noDialog.Stop());
}

TEST_F(Bexhook, LaterInstallInitCallsDoNothing)
{
    CTestDesktop desktop;
    WriteEnabledValue(Dword(1));
    EXPECT_EQ(codeINSTALL_INIT_CONTINUE, InstallInit(nullptr, FALSE));
    EXPECT_EQ(Dword(1), ReadEnabledValue());
    EXPECT_EQ(Changes{}, desktop.Received());
}

// The disabled case is in the table below.
TEST_F(Bexhook, RemovalReleasesAnEnabledItemAndLeavesItOff)
{
    CTestDesktop desktop;
    WriteEnabledValue(Dword(1));
    EXPECT_EQ(codeUNINSTALL_INIT_CONTINUE, UninstallInit(nullptr));
    EXPECT_EQ(Dword(0), ReadEnabledValue());
    EXPECT_EQ(Changes{kRefresh}, desktop.Received());

    EXPECT_EQ(codeUNINSTALL_EXIT_DONE, s_pUninstallExit(nullptr));
    EXPECT_EQ(Dword(0), ReadEnabledValue());
    EXPECT_EQ(Changes{kRefresh}, desktop.Received());
}

// Only a readable, non-zero "Enabled" counts as an item the screen may hold.
TEST_F(Bexhook, InitHooksReleaseOnlyAReadableEnabledItem)
{
    struct CCase {
        const char* name;
        std::optional<CRawValue> value;  // none: the key without the value
        bool bLocked;
        bool bReleases;
    };
    const CCase cases[] = {
        {"no value", std::nullopt, false, false},
        {"zero", Dword(0), false, false},
        {"one", Dword(1), false, true},
        {"other non-zero", Dword(0x100), false, true},
        {"string", CRawValue{REG_SZ, {'1', 0, 0, 0}}, false, false},
        {"binary of 4 bytes", CRawValue{REG_BINARY, {1, 0, 0, 0}}, false, false},
        {"dword of 2 bytes", CRawValue{REG_DWORD, {1, 0}}, false, false},
        {"dword of 8 bytes", CRawValue{REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}}, false, false},
        {"key not writable", Dword(1), true, false},
    };
    struct CHook {
        const char* name;
        int (*call)();
    };
    const CHook hooks[] = {
        {"Install_Init", [] { return InstallInit(nullptr); }},
        {"Uninstall_Init", [] { return UninstallInit(nullptr); }},
    };
    for (const CHook& hook : hooks) {
        for (const CCase& c : cases) {
            SCOPED_TRACE(testing::Message() << hook.name << ", " << c.name);
            DeleteItemKey();
            ::RegCloseKey(CreateItemKey());
            if (c.value)
                WriteEnabledValue(*c.value);
            if (c.bLocked)
                LockKey();
            CTestDesktop desktop;
            CDialogWatcher noDialog(L"Error");
            EXPECT_EQ(0, hook.call());  // continue either way
            EXPECT_FALSE(noDialog.Stop());
            EXPECT_EQ(c.bReleases ? std::optional(Dword(0)) : c.value, ReadEnabledValue());
            EXPECT_EQ(c.bReleases ? Changes{kRefresh} : Changes{}, desktop.Received());
        }
    }
}

// The Today screen does not answer within 10 s: the item may still be
// loaded, so the installation is cancelled with a message.
TEST_F(Bexhook, UnansweredReleaseCancelsInstallation)
{
    WriteEnabledValue(Dword(1));
    CParentWindow parent;
    CTestDesktop hung(CTestDesktop::Mode::hung);
    CDialogWatcher box(L"Error");
    EXPECT_EQ(codeINSTALL_INIT_CANCEL, InstallInit(parent.Hwnd()));
    ASSERT_TRUE(box.Wait());
    EXPECT_EQ(ExpectedText(kDisableFailed), box.Text());
    EXPECT_EQ(parent.Hwnd(), box.Owner());
}

TEST_F(Bexhook, FailedEnableIsReported)
{
    LockKey();
    CParentWindow parent;
    CTestDesktop desktop;
    CDialogWatcher box(L"Error");
    EXPECT_EQ(codeINSTALL_EXIT_DONE, InstallExit(parent.Hwnd()));
    ASSERT_TRUE(box.Wait());
    EXPECT_EQ(ExpectedText(kEnableFailed), box.Text());
    EXPECT_EQ(parent.Hwnd(), box.Owner());
    EXPECT_EQ(std::nullopt, ReadEnabledValue());
    EXPECT_EQ(Changes{}, desktop.Received());
}
