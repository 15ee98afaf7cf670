// Reads compiled resource (.res) images: finds resources by type, number and language, and
// decodes dialog templates, menus, string blocks, bitmaps and icons. Every offset and length
// is checked against the data; malformed input is refused with a reason, never over-read.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct ResourceBytes {
    const uint8_t *data = nullptr;
    size_t size = 0;
};

// Resource types by number, and the language the program's resources are in.
enum : uint16_t {
    ResourceTypeBitmap = 2,
    ResourceTypeIcon = 3,
    ResourceTypeMenu = 4,
    ResourceTypeDialog = 5,
    ResourceTypeString = 6,
    ResourceTypeGroupIcon = 14,
};
const uint16_t ResourceLanguageSpanish = 0x0C0A;

// The program's own compiled .res, embedded in the binary.
ResourceBytes embeddedResourceImage();

// One entry of a .res image. Named types or names (rather than numbers) are flagged; their
// number then is 0.
struct ResourceEntry {
    uint16_t type = 0, id = 0, language = 0;
    bool typeIsNamed = false, idIsNamed = false;
    ResourceBytes data;
};

// Every entry of the image in file order, including the empty one that opens a .res file.
bool listResources(ResourceBytes image, std::vector<ResourceEntry> *out,
                   std::string *why = nullptr);

// Finds a resource of numeric type and id in a .res image: language 0x0C0A first, then any.
// false when absent or when the image is malformed; *why (if given) then says what was wrong.
bool findResource(ResourceBytes image, uint16_t type, uint16_t id, ResourceBytes *out,
                  std::string *why = nullptr);
// The same in exactly one language.
bool findResourceInLanguage(ResourceBytes image, uint16_t type, uint16_t id, uint16_t language,
                            ResourceBytes *out, std::string *why = nullptr);

struct DialogItemTemplate {
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint16_t id = 0;
    uint16_t classAtom = 0; // 0x80 button, 0x81 edit, 0x82 static, ..., 0 if named
    std::string className;
    std::string caption;    // Windows-1252
    uint16_t captionId = 0; // when the caption is a resource number, else 0
};

struct DialogTemplate {
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint16_t menuId = 0;  // 0 none
    std::string menuName; // when the menu is named rather than numbered
    std::string className;
    std::string title;
    uint16_t pointSize = 0;
    std::string faceName;
    std::vector<DialogItemTemplate> items;
};

// Classic DLGTEMPLATE; the extended format is refused with its own reason.
bool decodeDialog(ResourceBytes bytes, DialogTemplate *out, std::string *why = nullptr);

// Menu item flags as stored in a menu template.
enum : uint16_t {
    MenuItemGrayed = 0x0001,
    MenuItemDisabled = 0x0002,
    MenuItemPopup = 0x0010,
    MenuItemEnd = 0x0080,
};

struct MenuItemTemplate {
    uint16_t flags = 0; // as stored, MenuItemEnd included on the last item of each level
    uint16_t id = 0;    // 0 for pop-ups
    std::string text;   // Windows-1252, with '&'
    std::vector<MenuItemTemplate> children;
};

bool decodeMenu(ResourceBytes bytes, std::vector<MenuItemTemplate> *topLevel,
                std::string *why = nullptr);

// A string of the string table, Windows-1252. An empty or missing string is not found.
bool findString(ResourceBytes image, uint16_t id, std::string *out, std::string *why = nullptr);

struct DecodedDib {
    int width = 0, height = 0;
    uint16_t planes = 0, bitCount = 0;
    uint32_t headerSize = 0, compression = 0;
    bool bottomUp = true;
    uint32_t palette[16] = {};    // 0x00RRGGBB; entries past the stored palette are 0
    std::vector<uint8_t> indices; // top row first
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
};

// RT_BITMAP data (no file header): 1 or 4 bits per pixel, uncompressed.
bool decodeDib(ResourceBytes bytes, DecodedDib *out, std::string *why = nullptr);

struct DecodedIcon {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;     // 0x00RRGGBB top row first
    std::vector<uint8_t> transparent; // 1 where the AND mask is set
    uint32_t palette[16] = {};
    uint16_t bitCount = 0;
};

// RT_GROUP_ICON, then each RT_ICON it names, in the group's order.
bool decodeIconGroup(ResourceBytes image, uint16_t groupId, std::vector<DecodedIcon> *out,
                     std::string *why = nullptr);
// The same for the group in exactly one language.
bool decodeIconGroupInLanguage(ResourceBytes image, uint16_t groupId, uint16_t language,
                               std::vector<DecodedIcon> *out, std::string *why = nullptr);
// One RT_ICON image.
bool decodeIconImage(ResourceBytes bytes, DecodedIcon *out, std::string *why = nullptr);
