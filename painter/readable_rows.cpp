#include "readable_rows.h"

#include <commctrl.h>
#include <math.h>

namespace {

// The relative luminance and contrast of the web's accessibility guidelines: text against a
// ground it cannot be told from (light text on RGB(240, 240, 240): about 1.1) reads below 1.5.
const double kMinimumContrast = 1.5;
const double kLuminanceOffset = 0.05;
const double kRedWeight = 0.2126, kGreenWeight = 0.7152, kBlueWeight = 0.0722;
const double kLinearLimit = 0.04045, kLinearSlope = 12.92, kGammaOffset = 0.055, kGamma = 2.4;
const double kChannelMax = 255.0;
// How far a stripe lies from the list's own ground toward its text: the rows still alternate,
// and the text reads as on the list itself.
enum { STRIPE_STEP_PERCENT = 8, PERCENT = 100 };

double LinearChannel(BYTE channel) {
    double value = channel / kChannelMax;
    return value <= kLinearLimit ? value / kLinearSlope
                                 : pow((value + kGammaOffset) / (1 + kGammaOffset), kGamma);
}

double Luminance(COLORREF color) {
    return kRedWeight * LinearChannel(GetRValue(color)) +
           kGreenWeight * LinearChannel(GetGValue(color)) +
           kBlueWeight * LinearChannel(GetBValue(color));
}

double Contrast(COLORREF a, COLORREF b) {
    double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + kLuminanceOffset) / (lb + kLuminanceOffset)
                   : (lb + kLuminanceOffset) / (la + kLuminanceOffset);
}

BYTE StepToward(BYTE from, BYTE to) {
    return static_cast<BYTE>(from + (to - from) * STRIPE_STEP_PERCENT / PERCENT);
}

COLORREF Stripe(const ListColors &list) {
    return RGB(StepToward(GetRValue(list.ground), GetRValue(list.text)),
               StepToward(GetGValue(list.ground), GetGValue(list.text)),
               StepToward(GetBValue(list.ground), GetBValue(list.text)));
}

COLORREF OrSystem(COLORREF color, int system_color) {
    return color == CLR_NONE || color == CLR_DEFAULT ? GetSysColor(system_color) : color;
}

// The four settings of one row set.
struct RowSet {
    int RowColorSettings::*text_on;
    COLORREF RowColorSettings::*text;
    int RowColorSettings::*ground_on;
    COLORREF RowColorSettings::*ground;
};
const RowSet kRowSets[] = {
    {&RowColorSettings::TextColor1Enable, &RowColorSettings::TextColor1,
     &RowColorSettings::TextBkColor1Enable, &RowColorSettings::TextBkColor1},
    {&RowColorSettings::TextColor2Enable, &RowColorSettings::TextColor2,
     &RowColorSettings::TextBkColor2Enable, &RowColorSettings::TextBkColor2},
};

// One colour of the set chosen, the other the list's own: the chosen one gives way where the
// pair would not read.
void KeepReadable(const ListColors &list, const RowSet &set, RowColorSettings *s) {
    BOOL text_on = s->*set.text_on != 0, ground_on = s->*set.ground_on != 0;
    if (text_on == ground_on) return;  // the user's own pair, or the list's own colours
    COLORREF text = text_on ? s->*set.text : list.text;
    COLORREF ground = ground_on ? s->*set.ground : list.ground;
    if (Contrast(text, ground) >= kMinimumContrast) return;
    if (ground_on) {
        s->*set.ground = Stripe(list);
    } else {
        s->*set.text_on = 0;
    }
}

}  // namespace

ListColors ReadListColors(HWND list) {
    ListColors colors;
    colors.text = OrSystem(ListView_GetTextColor(list), COLOR_WINDOWTEXT);
    COLORREF ground = ListView_GetTextBkColor(list);
    if (ground == CLR_NONE || ground == CLR_DEFAULT) ground = ListView_GetBkColor(list);
    colors.ground = OrSystem(ground, COLOR_WINDOW);
    return colors;
}

RowColorSettings ReadableOn(const ListColors &list, const RowColorSettings &chosen) {
    RowColorSettings readable = chosen;
    if (Luminance(list.ground) >= Luminance(list.text)) return readable;  // not a dark list
    for (const RowSet &set : kRowSets) KeepReadable(list, set, &readable);
    return readable;
}
