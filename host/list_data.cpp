#include "list_data.h"

#include <commctrl.h>

#include <string>

#include "host_resource.h"
#include "host_text.h"
#include "text_format.h"
#include "window_dpi.h"

namespace {

struct Column {
    UINT title;
    int width;  // at 96 DPI
    int format;
};

const Column kColumns[] = {
    {IDS_COLUMN_NUMBER, 52, LVCFMT_LEFT},    {IDS_COLUMN_ITEM, 170, LVCFMT_LEFT},
    {IDS_COLUMN_CATEGORY, 100, LVCFMT_LEFT}, {IDS_COLUMN_LOCATION, 110, LVCFMT_LEFT},
    {IDS_COLUMN_QUANTITY, 56, LVCFMT_RIGHT}, {IDS_COLUMN_PRICE, 80, LVCFMT_RIGHT},
};
enum { COLUMN_COUNT = sizeof kColumns / sizeof kColumns[0] };

const UINT kMaterials[] = {IDS_MATERIAL_STEEL,  IDS_MATERIAL_BRASS,    IDS_MATERIAL_NYLON,
                           IDS_MATERIAL_COPPER, IDS_MATERIAL_OAK,      IDS_MATERIAL_ZINC,
                           IDS_MATERIAL_RUBBER, IDS_MATERIAL_ALUMINIUM};
struct Part {
    UINT name;
    UINT category;
};
const Part kParts[] = {
    {IDS_PART_HINGE, IDS_CATEGORY_HARDWARE},    {IDS_PART_BRACKET, IDS_CATEGORY_HARDWARE},
    {IDS_PART_WASHER, IDS_CATEGORY_FASTENERS},  {IDS_PART_HEX_BOLT, IDS_CATEGORY_FASTENERS},
    {IDS_PART_PULLEY, IDS_CATEGORY_DRIVE},      {IDS_PART_CLAMP, IDS_CATEGORY_HARDWARE},
    {IDS_PART_GASKET, IDS_CATEGORY_SEALS},      {IDS_PART_SPRING, IDS_CATEGORY_DRIVE},
    {IDS_PART_BEARING, IDS_CATEGORY_DRIVE},     {IDS_PART_VALVE, IDS_CATEGORY_PLUMBING},
    {IDS_PART_COUPLING, IDS_CATEGORY_PLUMBING}, {IDS_PART_CABLE_TIE, IDS_CATEGORY_ELECTRICAL},
};
const wchar_t *const kSizes[] = {L"S", L"M", L"L", L"XL"};

enum { MATERIAL_COUNT = sizeof kMaterials / sizeof kMaterials[0] };
enum { PART_COUNT = sizeof kParts / sizeof kParts[0] };
enum { SIZE_COUNT = sizeof kSizes / sizeof kSizes[0] };
enum { AISLE_COUNT = 12, SHELF_COUNT = 6, MAX_QUANTITY = 500, MAX_PRICE_CENTS = 25000 };

// A fixed linear congruential sequence: the same "random" inventory on every run.
int NextRandom(DWORD *state) {
    *state = *state * 1103515245u + 12345u;
    return static_cast<int>((*state >> 16) & 0x7FFF);
}

std::wstring Words(UINT id) { return HostText(id, READER_USER); }

void AddColumns(HWND list) {
    for (int i = 0; i < COLUMN_COUNT; ++i) {
        std::wstring title = Words(kColumns[i].title);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[i].format;
        column.cx = ScaleToWindow(list, kColumns[i].width);
        column.pszText = &title[0];
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SetCell(HWND list, int row, int column, std::wstring text) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &text[0];
    UINT message = column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW;
    SendMessageW(list, message, row, reinterpret_cast<LPARAM>(&item));
}

void AddRow(HWND list, int row, DWORD *random) {
    // The draws come in a fixed order, one statement each: the same rows with every compiler.
    const Part &part = kParts[NextRandom(random) % PART_COUNT];
    const wchar_t *size = kSizes[NextRandom(random) % SIZE_COUNT];
    UINT material = kMaterials[NextRandom(random) % MATERIAL_COUNT];
    wchar_t shelf = static_cast<wchar_t>(L'A' + NextRandom(random) % SHELF_COUNT);
    int aisle = 1 + NextRandom(random) % AISLE_COUNT;
    int quantity = NextRandom(random) % MAX_QUANTITY;
    int cents = 50 + NextRandom(random) % MAX_PRICE_CENTS;
    SetCell(list, row, 0, FormatText(L"%04d", row + 1));
    SetCell(list, row, 1,
            HostText(IDS_ITEM, READER_USER, {Words(material), Words(part.name), size}));
    SetCell(list, row, 2, Words(part.category));
    SetCell(list, row, 3,
            HostText(IDS_LOCATION, READER_USER, {std::to_wstring(aisle), std::wstring(1, shelf)}));
    SetCell(list, row, 4, std::to_wstring(quantity));
    SetCell(list, row, 5, FormatText(L"%d.%02d", cents / 100, cents % 100));
}

}  // namespace

void FillInventoryList(HWND list) {
    AddColumns(list);
    SendMessageW(list, LVM_SETITEMCOUNT, LIST_ROW_COUNT, 0);  // room for all rows at once
    DWORD random = 20240601u;
    for (int row = 0; row < LIST_ROW_COUNT; ++row) AddRow(list, row, &random);
}
