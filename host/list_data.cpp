#include "list_data.h"

#include <commctrl.h>

#include <string>

#include "text_format.h"

namespace {

struct Column {
    const char *title;
    int width;
    int format;
};

const Column kColumns[] = {
    {"No.", 52, LVCFMT_LEFT},       {"Item", 170, LVCFMT_LEFT}, {"Category", 100, LVCFMT_LEFT},
    {"Location", 110, LVCFMT_LEFT}, {"Qty", 56, LVCFMT_RIGHT},  {"Unit price", 80, LVCFMT_RIGHT},
};
enum { COLUMN_COUNT = sizeof kColumns / sizeof kColumns[0] };

const char *const kMaterials[] = {"Steel", "Brass", "Nylon",  "Copper",
                                  "Oak",   "Zinc",  "Rubber", "Aluminium"};
struct Part {
    const char *name;
    const char *category;
};
const Part kParts[] = {
    {"hinge", "Hardware"},     {"bracket", "Hardware"},  {"washer", "Fasteners"},
    {"hex bolt", "Fasteners"}, {"pulley", "Drive"},      {"clamp", "Hardware"},
    {"gasket", "Seals"},       {"spring", "Drive"},      {"bearing", "Drive"},
    {"valve", "Plumbing"},     {"coupling", "Plumbing"}, {"cable tie", "Electrical"},
};
const char *const kSizes[] = {"S", "M", "L", "XL"};

enum { MATERIAL_COUNT = sizeof kMaterials / sizeof kMaterials[0] };
enum { PART_COUNT = sizeof kParts / sizeof kParts[0] };
enum { SIZE_COUNT = sizeof kSizes / sizeof kSizes[0] };
enum { AISLE_COUNT = 12, SHELF_COUNT = 6, MAX_QUANTITY = 500, MAX_PRICE_CENTS = 25000 };

// A fixed linear congruential sequence: the same "random" inventory on every run.
int NextRandom(DWORD *state) {
    *state = *state * 1103515245u + 12345u;
    return static_cast<int>((*state >> 16) & 0x7FFF);
}

void AddColumns(HWND list) {
    for (int i = 0; i < COLUMN_COUNT; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[i].format;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char *>(kColumns[i].title);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SetCell(HWND list, int row, int column, const std::string &text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text.c_str());
    UINT message = column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA;
    SendMessageA(list, message, row, reinterpret_cast<LPARAM>(&item));
}

void AddRow(HWND list, int row, DWORD *random) {
    // The draws come in a fixed order, one statement each: the same rows with every compiler.
    const Part &part = kParts[NextRandom(random) % PART_COUNT];
    const char *size = kSizes[NextRandom(random) % SIZE_COUNT];
    const char *material = kMaterials[NextRandom(random) % MATERIAL_COUNT];
    char shelf = static_cast<char>('A' + NextRandom(random) % SHELF_COUNT);
    int aisle = 1 + NextRandom(random) % AISLE_COUNT;
    int quantity = NextRandom(random) % MAX_QUANTITY;
    int cents = 50 + NextRandom(random) % MAX_PRICE_CENTS;
    SetCell(list, row, 0, FormatText("%04d", row + 1));
    SetCell(list, row, 1, FormatText("%s %s, size %s", material, part.name, size));
    SetCell(list, row, 2, part.category);
    SetCell(list, row, 3, FormatText("Aisle %d, shelf %c", aisle, shelf));
    SetCell(list, row, 4, std::to_string(quantity));
    SetCell(list, row, 5, FormatText("%d.%02d", cents / 100, cents % 100));
}

}  // namespace

void FillInventoryList(HWND list) {
    AddColumns(list);
    SendMessageA(list, LVM_SETITEMCOUNT, LIST_ROW_COUNT, 0);  // room for all rows at once
    DWORD random = 20240601u;
    for (int row = 0; row < LIST_ROW_COUNT; ++row) AddRow(list, row, &random);
}
