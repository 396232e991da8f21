// Every sheet of the utilities window built on its own: each control's caption, hint, tag,
// range, step and start state, one row per control (see Control in sheet_checks.h), and the
// sheet's labels.
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "sheet_checks.h"
#include "utilities/about_page.h"
#include "utilities/annotation_page.h"
#include "utilities/cmyk_planes_page.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/effect_browser_page.h"
#include "utilities/enhance_page.h"
#include "utilities/filters_page.h"
#include "utilities/gradient_blends_page.h"
#include "utilities/histogram_page.h"
#include "utilities/hls_planes_page.h"
#include "utilities/icons_page.h"
#include "utilities/mask_images_page.h"
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"
#include "utilities/palette_page.h"
#include "utilities/resample_page.h"
#include "utilities/rgb_planes_page.h"
#include "utilities/scanner_page.h"
#include "utilities/zoom_page.h"

#include <QCheckBox>

#include <deque>
#include <memory>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

const char* const kDrag = "Allow Drag of Utility Image";

// rows followed by the size x size kernel edits KV_UT_Filters_m<size><row><column>, all
// starting at 1.
std::vector<Control> withKernel(std::vector<Control> rows, int size, int minimum, int maximum)
{
    static std::deque<std::string> names;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            names.push_back("KV_UT_Filters_m" + std::to_string(size) + std::to_string(row) +
                            std::to_string(column));
            rows.push_back({names.back().c_str(), "", "", minimum, maximum, 1, 1});
        }
    }
    return rows;
}

struct Sheet {
    std::unique_ptr<QWidget> (*build)();
    const char* name;
    std::vector<Control> rows;
    QStringList labels;
};

template <class Page> std::unique_ptr<QWidget> build()
{
    return std::make_unique<Page>(nullptr);
}

} // namespace

TEST(UtilityPages, EverySheetShowsItsControlsAndLabels)
{
    // clang-format off
    const std::vector<Sheet> sheets = {
        {build<AboutPage>, "KV_UT_About", {}, {" Image Vaskolen 32+ ", " 32 Bit Image Processing "}},
        {build<DepthPage>, "KV_UT_Depth_Conversion", {
            {"KV_UT_Depth_EnableDrag", "", "Allow Drag of Utility Image", 0},
            {"KV_UT_Depth_Conversion_Custom_Retry", "Preview", "Select depth required using radio option buttons, then use Preview to update Image", 0},
            {"KV_UT_Depth_FullPreview", "Fast Preview ", "", 1},
            {"KV_UT_Depth_Conversion_Optimise", "Optimise ", "Check to Exclude System Colours - [ Default & Must be set for 16 Colors or Less ]", 1},
            {"KV_UT_Depth_Conversion_Dither", "Dither ", "Check to allow dithering", 1},
            {"KV_UT_Depth_Conversion_Bleed", "Allow Bleed ", "Check to Reduce Colour Bleeding", 1},
            {"KV_UT_Depth_Conversion_CustomDepth", "", "Number of Colours used in custom reduction", 2, 256, 255, 1},
            {"GroupBox1", " Conversion Options ", ""},
            {"KV_UT_Depth_Conversion_Depth", " Image Depth ", "Click depth required then use the Preview button", 1, 0, 0, 0, "Convert to 24 Bit Image|Convert to 8 Bit Image|Convert to 4 Bit Image|Convert to 1 Bit Image|Convert to Custom  [ 2..255 ]"},
            {"KV_UT_Depth_Preview", "", "Preview Image"}}, {}},
        {build<EnhancePage>, "KV_UT_Enhance", {
            {"KV_UT_Enhance_EnableDrag", "DD", kDrag, 11},
            {"KV_UT_Enhance_Speed_Brightness", "^", "Apply brightness [+/- 100%]", 21},
            {"KV_UT_Enhance_Speed_Contrast", "^", "Apply contrast [+/- 100%]", 22},
            {"KV_UT_Enhance_Speed_HistContrast", "^", "Apply histogram contrast [+/- 100%]", 23},
            {"KV_UT_Enhance_Speed_Gamma", "^", "Apply gamma [+ 2.40]", 24},
            {"KV_UT_Enhance_Speed_Hue", "^", "Adjust hue [+/- 180%]", 25},
            {"KV_UT_Enhance_Speed_Saturation", "^", "Adjust saturation [+/- 100%]", 26},
            {"KV_UT_Enhance_AddEffect", "X + X", "Accept Preview Image - Allows Multiple adjustments to be applied -  adjust one parameter, click this, then add another effect]", 27},
            {"KV_UT_Enhance_Reset", "R", "Reset slider settings to neutral", 28},
            {"KV_UT_Enhance_Stretch", "ST ", "Stretch Intensity of Image", 29},
            {"KV_UT_Enhance_Brightness", "|", "", -1000, 1000, 0, 100},
            {"KV_UT_Enhance_Contrast", "|", "", -1000, 1000, 0, 100},
            {"KV_UT_Enhance_HistContrast", "|", "", -1000, 1000, 0, 100},
            {"KV_UT_Enhance_Gamma", "|", "", 1, 250, 125, 12},
            {"KV_UT_Enhance_Hue", "|", "", -180, 180, 0, 18},
            {"KV_UT_Enhance_Saturation", "|", "", -1000, 1000, 0, 100},
            {"KV_UT_Enhance_RealTime", "Manual ", "Allows 'Real Time alteration' of Image [otherwise use buttons. Hue and Saturation must be Manually updated]", 1},
            {"KV_UT_Enhance_Preview", "", ""},
            {"KV_UT_Enhance_CopyPreview", "", ""}},
            {"Br ", "Cnt ", "HCnt ", "Gma", "Hue ", "Sat ", "Max ", "Neutral", "Min "}},
        {build<ResamplePage>, "KV_UT_Resample", {
            {"KV_UT_Resample_GroupBox", " Resample Options ", ""},
            {"KV_UT_Resample_Preview", "", ""},
            {"KV_UT_Resample_EnableDrag", "DD", kDrag, 12},
            {"KV_UT_Resample_Width", "", "Enter Width for Resampled Image", 10, 3000, 100, 1},
            {"KV_UT_Resample_Height", "", "Enter Height for Resampled Image", 10, 3000, 100, 1},
            {"KV_UT_Resample_Quality", "High Quality Resample", "Use High Quality Resample during Resampling", 1},
            {"KV_UT_Resample_MAspect", "Maintain Aspect Ratio", "Use width only and calculate height to maintain aspect ratio", 1}},
            {"New Width:- ", "New Height:- "}},
        {build<AnnotationPage>, "KV_UT_Annotation", {
            {"KV_UT_Annotation_Callupfonts", "Fonts", "Select Font Style", 30},
            {"KV_UT_Annotation_EnableDrag", "DD", "Allow Drag of annotation - Drag text over desired Image and release - Text is applied to the selection area defined", 14},
            {"KV_UT_Annotation_BckColor", "Back Color", "Select the Background Color for non-transparent text", 31},
            {"KV_UT_Annotation_DrawArrows", "", "Draw lines or arrows on  Image [ Uses font color for line color - use font options adjacent to select a new color ]", 32},
            {"KV_UT_Annotation_Transparent", "Transparent", "Apply text with transparent background [Default]", 1},
            {"KV_UT_Annotation_AutoSize", "AutoSize Text", "If selected text is sized to fit selection area [Only use on 8 or 24 bit Images]", 1},
            {"KV_UT_Annotation_Bold", "Use Bold ", "Use Bold text", 0},
            {"KV_UT_Annotation_Italic", "Use Italic", "Use Italic text", 0},
            {"KV_UT_Annotation_Underline", "Underline", "Underline the text", 0},
            {"KV_UT_Annotation_WithArrows", "Arrows", "Check Option to draw lines with arrow heads", 1},
            {"KV_UT_Annotation_DoubleArrows", "Double ", "When the arrows option is checked, check this option to draw arrow heads at both end of the line", 0},
            {"KV_UT_Annotation_PrefWidth", "Default Width [1] ", "Draw lines to default of 1 pixel in width or use preference setting", 1},
            {"KV_UT_Annotation_Center", "Left Justify ", "Check option to left justify text within selection area or uncheck to center text", 1},
            {"KV_UT_Annotation_LineWidth", "", "Width of lines if default width is not used [1 -50]", 1, 50, 2, 1},
            {"KV_UT_Annotation_Text", "", "Enter annotation text here.  Then select the Image you require text in, define an area, then drag and drop text onto Image"}},
            {}},
        {build<RgbPlanesPage>, "KV_UT_Planes_Page_RGB", {
            {"KV_UT_RGB_Planes_EnableDrag", "DD", kDrag, 8},
            {"KV_UT_RGB_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16},
            {"KV_UT_RGB_Base", "", ""}, {"KV_UT_RGB_Red", "", ""}, {"KV_UT_RGB_Green", "", ""}, {"KV_UT_RGB_Blue", "", ""},
            {"KV_UT_Planes_MAspect", "Maintain Aspect Ratio", "Maintain Aspect Ratio of All Separation  Images [ All Pages ]", 1},
            {"KV_UT_Planes_CombineOnDrop", "Combine on Channel Drop", "Calculate combined Image whenever an Image is dropped on the channel seperation(s) Image - All appropriate channels must contain an Image", 1}},
            {"Combined Image:- ", "Red:- ", "Green:- ", "Blue:- "}},
        {build<CmykPlanesPage>, "KV_UT_Planes_Page_CMYK", {
            {"KV_UT_CMYK_Planes_EnableDrag", "DD", kDrag, 8},
            {"KV_UT_CYMK_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16},
            {"KV_UT_CMYK_Base", "", ""}, {"KV_UT_CMYK_Cyan", "", ""}, {"KV_UT_CMYK_Magenta", "", ""}, {"KV_UT_CMYK_Yellow", "", ""}, {"KV_UT_CMYK_K", "", ""},
            {"KV_UT_CYMK_Planes_CMYK", "CMYK [x] or CMY", "Check to create or merge CMYK channels, uncheck to create or merge CMY channels", 1}},
            {"Combined Image:- ", "Cyan:- ", "Magenta:- ", "Yellow:- ", "K:- "}},
        {build<HlsPlanesPage>, "KV_UT_Planes_Page_HLS", {
            {"KV_UT_HLS_Planes_EnableDrag", "DD", kDrag, 8},
            {"KV_UT_HLS_Planes_ReCalc", "Calc", "ReCalculate Combined Image", 16},
            {"KV_UT_HLS_Base", "", ""}, {"KV_UT_HLS_H", "", ""}, {"KV_UT_HLS_L", "", ""}, {"KV_UT_HLS_S", "", ""}, {"KV_UT_HLS_V", "", ""},
            {"KV_UT_HLS_Planes_HLS", "HLS [x] or HSV", "Check to create or merge HLS channels, uncheck to create or merge HSV channels", 1}},
            {"Combined Image:- ", "Hue:- ", "Luminance:- ", "Saturation:- ", "V:- "}},
        {build<MaskImagesPage>, "KV_UT_Mask_BaseImage", {
            {"KV_UT_Mask_Base_AllowDrag", "DD", kDrag, 3},
            {"KV_UT_Mask_Base_ReRun", "Calc", "Re calculate resulting Image - [ Manual Update ]", 12},
            {"KV_UT_Mask_Base_FullPreview", "Fast Preview", "Use Fast Resample for Dragged Images", 1},
            {"KV_UT_Mask_Base_Maintain", "Maintain Destination ", "Always Restore Original Destination Image before Masking", 1},
            {"KV_UT_Mask_Base_OnDrop", "Calculate result on  Image Drop ", "When all Images are Valid Activate Function on Any Drop Event", 1},
            {"KV_UT_Mask_Base_BlendOnDrop", "Blend Images on Image Drop", "On Drop blend Source with Destination at Selected Ratio", 0},
            {"KV_UT_Mask_BlendRatio", "", "Blend Ratio 1 to 100% -  At 100% the Resulting Image is made totally from the Source Image", 1, 100, 50, 1},
            {"KV_UT_Mask_Base_Destination", "", "'Resulting' Image - Use Drag Drop to Drag this Image"},
            {"KV_UT_Mask_Base_OrgDestination", "", "'Destination' Image -  Use Drag Drop to Assign an Image"},
            {"KV_UT_Mask_Image_Mask", "", "'Mask' Image - Use Drag Drop to Assign an Image"},
            {"KV_UT_Mask_Base_Source", "", "'Source' Image -  Use Drag Drop to Assign an Image"},
            {"KV_UT_MaskBuffer_Label", " Mask:- ", ""}},
            {" Source:- ", " Result:- ", " Mask:- ", "Destination"}},
        {build<GradientBlendsPage>, "KV_UT_Mask_MaskDesign", {
            {"KV_UT_Mask_Special_CalcMask", "Calc", "Re-Calculate Gradient Mask", 13},
            {"KV_UT_Mask_Special_ResultDrag", "DD", kDrag, 4},
            {"KV_UT_Mask_Special_ReRun", "Blend", "Re-Calculate \"Resulting Image\" - [ Manual Update ]", 14},
            {"KV_UT_Mask_Special_Progress", "", "Mask Creation Percentage Complete", 0, 100},
            {"KV_UT_Mask_Special_VTrack", "|", "", 1, 100, 50, 1},
            {"KV_UT_Mask_Special_HTrack", "-", "", 1, 100, 50, 1},
            {"KV_UT_Mask_Special_HStart", "", "", 0, 200, 100, 1},
            {"KV_UT_Mask_Special_VStart", "", "", 0, 200, 100, 1},
            {"KV_UT_Mask_Special_HEnd", "", "", 0, 200, 100, 1},
            {"KV_UT_Mask_Special_VEnd", "", "", 0, 200, 0, 1},
            {"KV_UT_Mask_Special_CutOff", "Part Gradient", "Stop Mask at Vertical Pointer Position", 0},
            {"KV_UT_Mask_Special_AutoSize", "AutoSize ", "Size mask to suit Source and Destination Images [Both Source and Destination Images must contain an Image or Manual values are used]", 0},
            {"KV_UT_Mask_Special_BaseOpaque", "Opaque ", "Underlying Mask will be Opaque [Part Gradient Only]", 1},
            {"KV_UT_Mask_Special_Width", "", "Mask Width [AutoSize must be False] -  Max Value 2000", 10, 2000, 100, 1},
            {"KV_UT_Mask_Special_Height", "", "Mask Height [AutoSize Must be False]  -  Max Value 2000", 10, 2000, 100, 1},
            {"KV_UT_Mask_Special_Source", "", ""}, {"KV_UT_Mask_Special_OrgDestination", "", ""},
            {"KV_UT_Mask_Special_Mask", "", ""}, {"KV_UT_Mask_Special_Destination", "", ""},
            {"KV_UT_Mask_Special_TLabel", "[ 0% ]", "Transparency at Mouse X,Y [ 0 % is Opaque ]"}},
            {"Source:- ", "Destination:- ", "Result:- ", "[ 0% ]", "< W x H >"}},
        {build<FiltersPage>, "KV_UT_Options_Filters", {
            {"KV_UT_Filter_EnableDrag", "DD", kDrag, 1},
            {"KV_UT_Filters_FullPreview", "Fast Preview", "'Uncheck' to use Full Image Resolution - [Slow]", 1},
            {"KV_UT_Filters_Preview", "", ""}},
            {"Scale:- ", "Norm:- ", "Offset:- ", "Scale:- ", "Norm:- ", "Offset:- "}},
        {build<Matrix3Page>, "KV_UT_Filters_Matrix3", withKernel({
            {"KV_UT_Filters_Preview3", "Preview", "Apply 3*3 Filter to Preview Image", 7},
            {"KV_UT_Filters_Save3", "Save", "Save Filter to Disk", 6},
            {"KV_UT_Filters_Load3", "Open", "Load a Matrix Filter from Disk", 5},
            {"KV_UT_Filters_3Offset", "", "", -1000, 1000, 1, 1},
            {"KV_UT_Filters_3Scale", "", "", -1000, 1000, 1, 1},
            {"KV_UT_Filters_3Norm", "", "", -1000, 1000, -1, 1}}, 3, -1000, 1000),
            {"Scale:- ", "Norm:- ", "Offset:- "}},
        {build<Matrix5Page>, "KV_UT_Filters_Matrix5", withKernel({
            {"KV_UT_Filters_Load5", "Open", "Load a Matrix Filter from Disk", 9},
            {"KV_UT_Filters_Save5", "Save", "Save Filter to Disk", 10},
            {"KV_UT_Filters_Preview5", "Preview", "Apply 5*5 Filter to Preview Image", 11},
            {"KV_UT_Filters_5Scale", "", "", 0, 0, 1, 1},
            {"KV_UT_Filters_5Norm", "", "", 0, 0, -1, 1},
            {"KV_UT_Filters_5Offset", "", "", 0, 0, 1, 1}}, 5, 0, 0),
            {"Scale:- ", "Norm:- ", "Offset:- "}},
        {build<EffectBrowserPage>, "KV_UT_Filters_Browser", {
            {"KV_UT_Filters_Drive", "", "Select Drive"},
            {"KV_UT_Filters_Directory", "", "Choose Filter Location"},
            {"KV_UT_Filters_FilterList", "", "Effect available - click anyone to see preview of effect"},
            {"KV_UT_Filters_Filters", "", "Select Filter Type Extension - either .MA3 or .MA5", 0, 0, 0, 0, "3 * 3 Filters - MA3|5 * 5 Filters - MA5"}},
            {}},
        {build<PalettePage>, "KV_UT_Options_Palette", {
            {"KV_UT_Palette_MappedDrag", "DD", "Allow Drag of Utility Image [ No Drag Selection Image ]", 6},
            {"KV_UT_Palette_Load", "", "Load a 'Palette File'  and force 'Palette Image' to loaded palette - Re-Assign Palette Image between loads [ Drag Image onto grid ]", 2},
            {"KV_UT_Palette_Save", "", "Save Palette [*.Pal] within 'Palette Image' to disk - ALWAYS specify the extension when saving the file. Example-: 'C:\\Palette.PAL'", 3},
            {"KV_UT_Palette_Recalc", "Calc", "Force Update of Map Image - Use if you have loaded a new 'Palette Image' to force 'Map Image' to 'Palette Image' palette", 4},
            {"KV_UT_Palette_To8", "To 8 Bit", "Convert Map Image on Drop to 8 Bit [x] or to Palette Image Depth", 1},
            {"KV_UT_Palette_DR", "Dither", "Check Option to Dither Map Image to Palette Image on Drop", 0},
            {"KV_UT_Palette_Grid", "", "Drag and Drop any Image with a palette onto grid to see Palette [ Right Click to Edit Cell ] - Drop Any Image onto Map Image to Map to Palette Image"},
            {"KV_UT_Palette_Image", "", ""}, {"KV_UT_Palette_MapImage", "", ""}, {"KV_UT_Palette_Palette", "", ""},
            {"KV_UT_Palette_Label1", "Palette [ Index = 0 ] ", ""},
            {"KV_UT_Palette_Label3", "X/Y Index  = 0  ", ""}},
            {"Palette [ Index = 0 ] ", "Palette Image:- ", "X/Y Index  = 0  ", "Map Image:- "}},
        {build<HistogramPage>, "KV_UT_Options_Histogram", {
            {"KV_UT_Histogram_Chart", "", ""},
            {"KV_UT_Histogram_Floater", "", "Use Mouse to Drag to New Location"},
            {"KV_UT_Histogram_Eqalise", "", "Eqalise Image using Histogram", 20},
            {"KV_UT_Histogram_Enabledrag", "DD", kDrag, 10},
            {"KV_UT_Histogram_Image", "", "Drop any Image here to study Histogram"},
            {"KV_UT_Histogram_Channels", " Channel ", "", 0, 0, 0, 0, "RGB|Red|Green|Blue|All"},
            {"KV_UT_Histogram_Scale", "", "Y Axis Maximum Value - Use to Expand Detail [Steps of 1000 using Arrows - Auto Update - [10 to 1000000]]", 10, 1000000, 5000, 1000}},
            {}},
        {build<ZoomPage>, "KV_UT_Options_Zoom", {
            {"KV_UT_Zoom_OPTGroup", " Zoom Options ", ""},
            {"KV_UT_Zoom_ZoomImage", "", ""}, {"KV_UT_Zoom_ScratchA", "", ""}, {"KV_UT_Zoom_ScratchB", "", ""},
            {"KV_UT_Zoom_ActivateZoom", "Zoom", "Activate Dynamic Zoom", 15},
            {"KV_UT_Zoom_EnableDrag", "DD", kDrag, 2},
            {"KV_UT_Zoom_ZoomWidth", "", "Width of Zoom area [ Selection ]", 5, 1000, 75, 5},
            {"KV_UT_Zoom_ZoomHeight", "", "Width of Zoom area [ Selection ]", 5, 1000, 75, 5}},
            {" Comparison ", " Width:-", " Height:- "}},
        {build<IconsPage>, "KV_UT_Options_Icons", {{"KV_UT_Icon_Grid", "", "Use File Open 'Icon Extractor' or  Right Mouse Click to Save Selected Icon"}}, {}},
        {build<ScannerPage>, "KV_UT_Options_Twain", {
            {"KV_UT_Twain_EnableDrag", "DD", kDrag, 9},
            {"KV_UT_Twain_ReScan", "Scan", "Scan a new Image - [Automatic and Default]", 17},
            {"KV_UT_Twain_MultiScan", "ADF", "Scan Multiple pages with ADF to Disk File(s) at above disk location", 18},
            {"KV_UT_Twain_Manual", "Manual", "Use settings above for Manual scan [ Not all Scanners will Support requested Options in which case Scanner Defaults are Used]", 19},
            {"KV_UT_TwainImage", "", ""},
            {"KV_UT_Twain_MScanGbox", " Manual Scan ", ""},
            {"KV_UT_Twain_PType", " Pixel Type ", "", 3, 0, 0, 0, "Halftone|GrayScale|Colour 24Bit|Colour 8 Bit"},
            {"KV_UT_Twain_BPPlane", " Bits per Plane ", "", 0, 0, 0, 0, "1 - Bit|4 - Bit|8 - Bit"},
            {"KV_UT_Twain_Top", "", "Top of Scan Area [in MM]", 0, 0, 0, 1},
            {"KV_UT_Twain_Left", "", "Left of Scan Area [in MM]", 0, 0, 0, 1},
            {"KV_UT_Twain_Width", "", "Width of Scan Area [in MM]", 0, 0, 100, 1},
            {"KV_UT_Twain_Height", "", "Height of Scan Area [in MM]", 0, 0, 100, 1},
            {"KV_UT_Twain_DPI", "", "Dots Per Inch Resolution of Scan", 10, 2000, 100, 1},
            {"KV_UT_Twain_ADFPath", "C:\\Scan1.Scn", "For ADF Scans [ Multi Page ]  Images will be saved as Files \\ADFSCN[#].BMP at this location."}},
            {"Scanned Image:- ", "Top [mm] ", "Left [mm] ", " Width [mm] ", " Height [mm] ", "DPI:- "}},
        {build<DragDropOptionsPage>, "KV_UT_Options_Options", {
            {"KV_UT_DragDrop_DstSelection", "Drop to Selection Area", "Drop to Child Images Selection Area [x] or Full  Area [ ]", 1},
            {"KV_UT_DragDrop_SrcSelection", "Drag Image Selection Area", "Drag Source Image's Selection Area [x] or full Area [ ]", 0},
            {"KV_UT_DragDrop_PSelf", "Prevent Self Drop", "Stops Dropping Images to Self [x]", 1},
            {"KV_UT_DragDrop_AutoEqualise", "Auto Equalise Images:- ", "[x] Automatically Adjust Images so Cut and Paste can occur - Use Options Below:-", 1},
            {"KV_UT_DragDrop_Raise24", "Raise Images to 24 Bit", "[x] For Cut / Paste Operations Raise both Images to 24 Bit", 1},
            {"KV_UT_DragDrop_EBitDepths", "Equalise Depths - [Src to Dest]", "[x] Set the Source Images Depth to the Destinations Depth during Cut / Paste ", 1},
            {"KV_UT_DragDrop_Remap", "Palette Map - [Src to Dest]", "[x] Map Palettes during Cut/Paste - Force Source to Destination", 1},
            {"KV_UT_DragDrop_Resize", "Set Modes to Resize", "[x] For Cut /Paste set Destination buffer to accept Images to Selection area [Paste from Vaskolen's Clipboard always has this 'Checked' and ignores users selection]", 1},
            {"KV_UT_DragDrop_FAspect", "Source Ratio 1:1", "Source Image's ratio is maintained at 1:1 - ie Distort to fit selection area or maintain aspect ratio of incoming image - only used with Scale to Destination option", 0},
            {"KV_UT_DragDrop_DragSelectionasImage", "Drag as Floating Image", "Allows Image to be dragged as a floating Image to any desired location ", 1},
            {"KV_UT_DragDrop_AsImagewithSource", "Use Source Selection ", "Use Selection Area from Source Image", 1},
            {"KV_UT_DragDrop_AsImagewithDestination", "Scale to Destination Selection Size", "Force Dragged Image into size of Destination selection area", 0}},
            {}},
    };
    // clang-format on
    for (const Sheet& sheet : sheets) {
        SCOPED_TRACE(sheet.name);
        expectSheet(*sheet.build(), sheet.name, sheet.rows, sheet.labels);
    }
}

// What the control table cannot say: controls that start hidden or disabled, the front tab, the
// first file type and the drop options' frame.
TEST(UtilityPages, StartStatesBeyondTheControlTableShow)
{
    EXPECT_TRUE(EnhancePage(nullptr).KV_UT_Enhance_CopyPreview->isHidden());
    EXPECT_TRUE(PalettePage().KV_UT_Palette_Palette->isHidden());
    EXPECT_TRUE(MaskImagesPage().KV_UT_Mask_BlendRatio->isHidden());
    EXPECT_EQ(FiltersPage().KV_UT_Filters_FilterPage->currentIndex(), 2) << "the effect browser is in front";
    EXPECT_EQ(EffectBrowserPage().fileMask(), "*.MA3");
    DragDropOptionsPage options(nullptr);
    EXPECT_EQ(options.optionsGroupBox->title(), QStringLiteral("  Drag Drop Options between Children  "));
    EXPECT_FALSE(options.KV_UT_DragDrop_EBitDepths->isEnabled()) << "24 bit raising locks the depth options";
    EXPECT_FALSE(options.KV_UT_DragDrop_Remap->isEnabled());
}
