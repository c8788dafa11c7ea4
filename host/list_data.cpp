#include "list_data.h"

#include <commctrl.h>

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
enum { CELL_CAPACITY = 64 };

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

void SetCell(HWND list, int row, int column, const char *text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text);
    UINT message = column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA;
    SendMessageA(list, message, row, reinterpret_cast<LPARAM>(&item));
}

void AddRow(HWND list, int row, DWORD *random) {
    const Part &part = kParts[NextRandom(random) % PART_COUNT];
    char cell[CELL_CAPACITY];
    wsprintfA(cell, "%04d", row + 1);
    SetCell(list, row, 0, cell);
    wsprintfA(cell, "%s %s, size %s", kMaterials[NextRandom(random) % MATERIAL_COUNT], part.name,
              kSizes[NextRandom(random) % SIZE_COUNT]);
    SetCell(list, row, 1, cell);
    SetCell(list, row, 2, part.category);
    wsprintfA(cell, "Aisle %d, shelf %c", 1 + NextRandom(random) % AISLE_COUNT,
              'A' + NextRandom(random) % SHELF_COUNT);
    SetCell(list, row, 3, cell);
    wsprintfA(cell, "%d", NextRandom(random) % MAX_QUANTITY);
    SetCell(list, row, 4, cell);
    int cents = 50 + NextRandom(random) % MAX_PRICE_CENTS;
    wsprintfA(cell, "%d.%02d", cents / 100, cents % 100);
    SetCell(list, row, 5, cell);
}

}  // namespace

void FillInventoryList(HWND list) {
    AddColumns(list);
    SendMessageA(list, LVM_SETITEMCOUNT, LIST_ROW_COUNT, 0);  // room for all rows at once
    DWORD random = 20240601u;
    for (int row = 0; row < LIST_ROW_COUNT; ++row) AddRow(list, row, &random);
}
