#include "processing/depth_conversion.h"

#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "utilities/depth_page.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>

#include <algorithm>

namespace vask {

namespace {

constexpr int kCustomDepth = 99;

int reducedColourCount(int bits)
{
    switch (bits) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

} // namespace

int customColourCount(int pictureBits, int wanted)
{
    int cap = 256;
    if (pictureBits == 1)
        cap = 2;
    else if (pictureBits == 4)
        cap = 15;
    else if (pictureBits == 8)
        cap = 255;
    return std::min(wanted, cap);
}

void ConvertDepth(TPicbuf& picture, int bits, int customCount, bool optimise, bool dither, bool bleed)
{
    if (programState().PreviewFill != 0 || picture.Contents() != 1)
        return;
    BusyGuard busy(QStringLiteral("Converting Depth"));
    const int current = picture.ColorDepth();
    if (bits == current) {
        DialogService::instance().information(QStringLiteral("The Image is already ") +
                                              QString::number(bits) +
                                              QStringLiteral(" Bit. OK to Continue."));
        return;
    }
    if (bits == kCustomDepth) {
        const int colours = customColourCount(current, customCount);
        if (colours > 2)
            picture.ReduceColors(colours, optimise, dither, bleed);
        return;
    }
    if (bits > current) {
        picture.IncreaseDepth(bits);
        return;
    }
    if (const int colours = reducedColourCount(bits); colours > 0)
        picture.ReduceColors(colours, optimise, dither, bleed);
}

DepthOptions currentDepthOptions()
{
    DepthOptions options;
    const TKV_UTilities* utilities = programWindows().KV_UTilities;
    if (utilities == nullptr || utilities->depthPage == nullptr)
        return options;
    const DepthPage& page = *utilities->depthPage;
    options.customCount = page.KV_UT_Depth_Conversion_CustomDepth->value();
    options.optimise = page.KV_UT_Depth_Conversion_Optimise->isChecked();
    options.dither = page.KV_UT_Depth_Conversion_Dither->isChecked();
    options.bleed = page.KV_UT_Depth_Conversion_Bleed->isChecked();
    return options;
}

void ConvertDepth(TPicbuf& picture, int bits)
{
    const DepthOptions options = currentDepthOptions();
    ConvertDepth(picture, bits, options.customCount, options.optimise, options.dither, options.bleed);
}

} // namespace vask
