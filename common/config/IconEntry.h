// One icon: the nine stored fields of its line in "Page.ini" and the state
// it carries at run time (position, zoom, image, caption, links).
#pragma once

#include "base/Diagnostics.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Application type codes (nAppType).
enum : std::uint16_t {
    APP_NONE = 0,        // an unset slot
    APP_PROGRAM = 1,
    APP_SHORTCUT = 2,
    APP_FAVORITE = 3,    // a ".url" file
    APP_BLANK = 5,       // never drawn
    APP_PAGELINK = 6,    // Path names a page
    APP_RECENT_FIRST = 20,
    APP_RECENT_LAST = 29,
    APP_TASK_FIRST = 40,
    APP_TASK_LAST = 71,
    APP_RUNNING_TASK = 72,  // entries of the task list itself
    APP_PANEL = 10000,      // and above: panels
};

inline bool IsRecentSlot(unsigned type) { return type >= APP_RECENT_FIRST && type <= APP_RECENT_LAST; }
inline bool IsTaskSlot(unsigned type) { return type >= APP_TASK_FIRST && type <= APP_TASK_LAST; }
inline bool IsPanel(unsigned type) { return type >= APP_PANEL; }

// Bits of IconEntry::flags.
enum : std::uint8_t {
    ICON_CAPTION = 0x01,        // the motion has come to rest: draw the caption
    ICON_CAPTION_VALID = 0x02,  // Caption is up to date
    ICON_PLACED = 0x04,         // placed in a visible slot and drawn
    ICON_ALPHA = 0x08,          // the image has an alpha channel
};

// Registry roots (RegRoot) and caption modes (RegMode).
enum : std::uint8_t { REGROOT_NONE = 0, REGROOT_HKCR = 1, REGROOT_HKCU = 2, REGROOT_HKLM = 3, REGROOT_HKU = 4 };
enum : std::uint8_t { REGMODE_NAME = 0, REGMODE_REG = 1, REGMODE_REG_NAME = 2, REGMODE_NAME_REG = 3, REGMODE_FORMAT = 4 };

// Field limits of the text form.
inline constexpr size_t kIconFieldMax = 259;  // name, path, arguments, image, key, value
inline constexpr size_t kIconRootMax = 127;   // the root name

// The image an entry owns (made by the Windows side on first draw). The
// entry deletes it when the slot is cleared; copies of an entry start
// without one and make their own.
class CIconImage {
public:
    virtual ~CIconImage() = default;
};

struct IconEntry {
    // Stored fields, in the order of the text form.
    std::uint16_t nAppType = APP_NONE;
    std::uint8_t RegMode = REGMODE_NAME;
    std::uint8_t RegRoot = REGROOT_NONE;
    std::wstring Name;
    std::wstring Path;
    std::wstring Args;
    std::wstring IconFile;  // image file, or a FontSpec for calendar and date panels
    std::wstring RegKey;
    std::wstring RegValue;

    // Run-time fields.
    std::wstring Caption;   // as last composed and shortened
    std::wstring RegText;   // registry value text as last read
    std::int32_t x = 0, y = 0;       // centre on the item; 10000 is off-screen
    std::uint16_t size = 64;         // drawn size, possibly zoomed
    std::uint16_t baseSize = 0;      // the slot's size
    std::int16_t width = -1, height = -1;  // drawing box, -1 until laid out
    std::uint8_t zoomState = 0;
    std::int8_t zoomStep = 0;
    std::uint8_t flags = 0;
    std::vector<std::uint8_t> scratch;  // a panel's working buffer
    std::uint32_t lastPanelDraw = 0;    // tick of the last panel draw
    std::unique_ptr<CIconImage> image;
    std::uint16_t imageWidth = 64, imageHeight = 64;
    std::uint16_t captionWidth = 0;
    std::uint32_t transparentColor = 0;
    IconEntry* Link = nullptr;          // recent or task slot: the entry it shows
    std::uintptr_t TaskWindow = 0;      // a running task's top-level window
    std::int32_t TaskOrder = -1;        // position in the last window walk, from 1

    IconEntry() = default;
    IconEntry(const IconEntry& other);
    IconEntry& operator=(const IconEntry& other);
    IconEntry(IconEntry&&) noexcept = default;
    IconEntry& operator=(IconEntry&&) noexcept = default;
};

// The empty state: no type, no texts, no image, no links.
void ResetIconEntry(IconEntry& entry);

// Reads one line of the text form
//   type,name,path,args,image,mode,root;key;value
// into the entry (reset first). Returns 1 when the line had a path, else 0
// (the entry stays reset). Fields over their limits are cut and reported to
// the sink, with the file's name and line number when a reader is given.
// With resolveIn the image's folder marks are resolved as ResolveIconFile
// resolves them.
class CTextFile;
struct IconList;
int ParseIconEntry(IconEntry& entry, const std::wstring& line, const CTextFile* reportTo = nullptr,
                   const IconList* resolveIn = nullptr);
// The line of the text form, with "\r\n" when lineEnd is set. With storedIn
// the image is written as the page file stores it (StoredIconFile).
std::wstring FormatIconEntry(const IconEntry& entry, bool lineEnd, const IconList* storedIn = nullptr);
// The image file as a page file stores it: below the list's own folder
// (when that is not the install folder) with three leading backslashes,
// below the install folder with two, elsewhere as it stands. Reading it
// back resolves it to the same file.
std::wstring StoredIconFile(const std::wstring& file, const IconList& list);
const wchar_t* RegRootName(std::uint8_t root);

// A page's or the task list's icons. Entries keep their addresses while the
// list grows at its end (recent and task slots point at them); removing an
// entry from the middle moves the later ones.
struct IconList {
    std::wstring base;  // the folder of the page file that defined the icons
    std::deque<IconEntry> entries;
};

// Normalises entry.IconFile ("\\\" + name: the list's base folder; "\\" +
// name: InstallDir) and, with index -1, appends a copy of the entry; with an
// index, the entry at that index is normalised in place. Always 1.
int AddIcon(IconList& list, const IconEntry& entry, int index);
// Resolves the image file's folder marks as AddIcon does: three leading
// backslashes stand for the list's own folder, two for the install folder.
void ResolveIconFile(const IconList& list, IconEntry& entry);
// Frees the slot's scratch buffer and, unless it is a recent or task slot,
// its image; then resets the entry in place (remove false) or erases it.
void ClearIconSlot(IconList& list, size_t index, bool remove);

// Composes the caption of entry e (from its Link for a recent or task slot)
// and shortens it to the icon: wider than 16/10 of baseSize, characters go
// from its end until it fits 14/10 and "..." is added. Stores Caption and
// captionWidth in the source entry and sets its ICON_CAPTION_VALID.
using TextWidthFn = std::function<int(const std::wstring&)>;
IconEntry& CaptionSource(IconEntry& e);
void UpdateCaption(IconEntry& e, const TextWidthFn& textWidth);
