// A seeded stream of notifications through RowPaintProc, each record in a buffer with guard bytes
// on both sides: from list-views, other controls, destroyed windows and no window at all, with
// every code, stage and row. Only a list-view's item pre-paint may change, and only its two
// colours; everything reaches the previous procedure exactly as sent, and its answer comes back,
// to a list-view's pre-paint with the rows' notifications asked for besides.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include "settings_checks.h"
#include "painter_core.h"
#include "test_support.h"

namespace {

enum { GUARD = 64, BUFFER = GUARD + sizeof(NMTBCUSTOMDRAW) + GUARD };

// The list owner's own procedure: logs what it is called with, keeps the buffer as it saw it,
// and answers each call with a number of its own.
unsigned char *Buffer;  // the buffer of the record under way
unsigned char Seen[BUFFER];
LRESULT LastAnswer;

LRESULT CALLBACK AnsweringProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LogMessage(window, message, wparam, lparam);
    if (Buffer != nullptr) memcpy(Seen, Buffer, BUFFER);
    return ++LastAnswer;
}

enum Sender { LIST, BUTTON, TOOLBAR, HEADER, DESTROYED, DESTROYED_LIST, NO_WINDOW, SENDER_KINDS };
const char *const kSenderNames[] = {"list-view",        "button",
                                    "toolbar",          "header",
                                    "destroyed window", "list-view destroyed after painting",
                                    "no window"};

size_t RecordSize(Sender sender) {
    if (sender == LIST) return sizeof(NMLVCUSTOMDRAW);
    if (sender == TOOLBAR) return sizeof(NMTBCUSTOMDRAW);
    return sizeof(NMCUSTOMDRAW);
}

}  // namespace

TEST(CustomDrawRobustness, ARandomStreamOfNotifications) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND target = CreateRecorderWindow(NULL, "owner");
    HWND list = CreateHiddenList(4), frame = GetParent(list);
    HWND button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 9, 9, frame, NULL, NULL, NULL);
    HWND toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD, 0, 0, 9, 9, frame, NULL, NULL, NULL);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    HWND destroyed =
        CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 9, 9, frame, NULL, NULL, NULL);
    DestroyWindow(destroyed);
    ASSERT_TRUE(button && toolbar && header && target);
    SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsweringProc));
    ASSERT_TRUE(InstallRowPaintProc(target));

    static const DWORD kStages[] = {CDDS_PREPAINT,      CDDS_ITEMPREPAINT,
                                    CDDS_POSTPAINT,     CDDS_PREERASE,
                                    CDDS_ITEMPOSTPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM,
                                    CDDS_ITEMPREERASE,  CDDS_POSTERASE};
    static const UINT kCodes[] = {(UINT)NM_CLICK, (UINT)NM_DBLCLK, (UINT)LVN_ITEMCHANGED,
                                  (UINT)NM_RCLICK, (UINT)TBN_DROPDOWN};
    static const UINT kMessages[] = {WM_COMMAND, WM_USER + 1, WM_PAINT, WM_CTLCOLORSTATIC, 0};
    const uint64_t seed = SeedFromEnvironment(0xC0DED4A7);
    Random random(seed);
    const int kRecords = 10000;
    int colored = 0, answered = 0, passed = 0, by_sender[SENDER_KINDS] = {0};
    int failures[SENDER_KINDS] = {0};
    std::string first_failure[SENDER_KINDS];
    static unsigned char buffer[BUFFER], expected[BUFFER];
    Buffer = buffer;

    for (int n = 0; n < kRecords; ++n) {
        Sender kind = random.OneIn(3) ? LIST : static_cast<Sender>(random.Below(SENDER_KINDS));
        if (kind == DESTROYED_LIST && !random.OneIn(3)) kind = DESTROYED;  // costly to make
        HWND from = NULL;
        switch (kind) {
        case LIST:
            from = list;
            break;
        case BUTTON:
            from = button;
            break;
        case TOOLBAR:
            from = toolbar;
            break;
        case HEADER:
            from = header;
            break;
        case DESTROYED:
            from = destroyed;
            break;
        case DESTROYED_LIST: {
            // A list-view whose rows were just coloured, then destroyed: its handle is no
            // list-view any more, and a short record under it must stay as it is. Only a
            // control that is given the handle again can send under it, and its drawing starts
            // with a pre-paint, as any control's does.
            HWND gone = CreateWindowExA(0, WC_LISTVIEWA, "", LVS_REPORT, 0, 0, 50, 50, NULL, NULL,
                                        NULL, NULL);
            NMLVCUSTOMDRAW pre = CustomDrawRecord(gone, CDDS_PREPAINT);
            NMLVCUSTOMDRAW item = CustomDrawRecord(gone, CDDS_ITEMPREPAINT);
            Buffer = nullptr;
            SendMessageA(target, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&pre));
            SendMessageA(target, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&item));
            DestroyWindow(gone);
            NMCUSTOMDRAW start = CustomDrawRecord(gone, CDDS_PREPAINT).nmcd;  // a short record
            SendMessageA(target, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&start));
            Buffer = buffer;
            from = gone;
            break;
        }
        default:
            break;
        }
        ++by_sender[kind];
        SettingValues values;
        for (UINT &v : values.v) v = random.OneIn(3) ? random.Below(2) : random.Next();
        const RowColorSettings s = SettingsOf(values);
        SetPainterSettings(s);

        // The record: random bytes, then the fields that matter, mostly sensible.
        for (unsigned char &b : buffer) b = static_cast<unsigned char>(random.Next());
        memset(buffer, 0xA5, GUARD);
        memset(buffer + GUARD + RecordSize(kind), 0x5A, BUFFER - GUARD - RecordSize(kind));
        NMLVCUSTOMDRAW *record = reinterpret_cast<NMLVCUSTOMDRAW *>(buffer + GUARD);
        record->nmcd.hdr.hwndFrom = from;
        record->nmcd.hdr.code = random.OneIn(4) ? kCodes[random.Below(5)] : (UINT)NM_CUSTOMDRAW;
        if (random.OneIn(20)) record->nmcd.hdr.code = random.Next();
        record->nmcd.dwDrawStage = random.OneIn(10) ? random.Next() : kStages[random.Below(8)];
        if (random.OneIn(2)) record->nmcd.dwDrawStage = kStages[random.Below(2)];  // the usual
        record->nmcd.dwItemSpec = random.OneIn(4) ? random.Next() : random.Below(4);
        UINT message = random.OneIn(6) ? kMessages[random.Below(5)] : WM_NOTIFY;
        WPARAM wparam = random.Next();
        LPARAM lparam = random.OneIn(50) ? 0 : reinterpret_cast<LPARAM>(record);

        // What a sound painter leaves, and whether it answers itself.
        memcpy(expected, buffer, BUFFER);
        NMLVCUSTOMDRAW *want = reinterpret_cast<NMLVCUSTOMDRAW *>(expected + GUARD);
        bool list_draw = kind == LIST && message == WM_NOTIFY && lparam != 0 &&
                         record->nmcd.hdr.code == (UINT)NM_CUSTOMDRAW;
        bool answers = list_draw && record->nmcd.dwDrawStage == CDDS_PREPAINT;
        if (list_draw && record->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            RowColors colors =
                ExpectedRowColors(s, record->nmcd.dwItemSpec, {record->clrText, record->clrTextBk});
            want->clrText = colors.text;
            want->clrTextBk = colors.background;
            ++colored;
        }

        FlushLog();
        LRESULT result = SendMessageA(target, message, wparam, lparam);
        const std::vector<LoggedMessage> &calls = MessageLog();
        const char *problem = nullptr;
        size_t end = GUARD + RecordSize(kind);
        if (memcmp(expected, buffer, GUARD) != 0) {
            problem = "wrote before the record";
        } else if (memcmp(expected + end, buffer + end, BUFFER - end) != 0) {
            problem = "wrote past the record";
        } else if (memcmp(expected, buffer, BUFFER) != 0) {
            problem = "changed the record otherwise than the settings say";
        } else if (calls.size() != 1) {
            problem = "did not pass the message on once";
        } else if (strcmp(calls[0].role, "owner") != 0 || calls[0].message != message ||
                   calls[0].wparam != wparam || calls[0].lparam != lparam) {
            problem = "passed on other arguments";
        } else if (memcmp(expected, Seen, BUFFER) != 0) {
            problem = "passed on another record";
        } else if (answers && result != ((LastAnswer & CDRF_SKIPDEFAULT) != 0
                                             ? LastAnswer
                                             : LastAnswer | CDRF_NOTIFYITEMDRAW)) {
            problem = "answered a list's pre-paint wrongly";
        } else if (!answers && result != LastAnswer) {
            problem = "did not return the previous procedure's answer";
        }
        answered += answers && problem == nullptr;
        passed += !answers && problem == nullptr;
        if (problem != nullptr && failures[kind]++ == 0) {
            char where[96];
            snprintf(where, sizeof where, " (record %d, message %u, code %d, stage 0x%lX)", n,
                     message, (int)record->nmcd.hdr.code, record->nmcd.dwDrawStage);
            first_failure[kind] = problem + std::string(where);
        }
    }
    for (int k = 0; k < SENDER_KINDS; ++k) {
        EXPECT_EQ(0, failures[k]) << "from " << kSenderNames[k] << " of " << by_sender[k]
                                  << " records, first: " << first_failure[k];
    }
    printf("seed %llu: %d records (", (unsigned long long)seed, kRecords);
    for (int k = 0; k < SENDER_KINDS; ++k)
        printf("%s%s %d", k ? ", " : "", kSenderNames[k], by_sender[k]);
    printf("); %d coloured, %d pre-paints answered, %d passed on\n", colored, answered, passed);
    EXPECT_TRUE(RemoveRowPaintProc());
    DestroyWindow(frame);
    DestroyWindow(target);
}
