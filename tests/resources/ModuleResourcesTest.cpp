// The module's resources, as the module and its resource library carry them:
// every dialog template and string the property-sheet framework and pages
// use, the ids whose absence they rely on, the controls each template must
// hold, bitmaps, the cursor and the version information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinText.h"
#include "winapi/WinVersion.h"
#include "winapi/host/WinHostStore.h"

namespace {
enum class Kind { String, Dialog };
enum class Expect { Present, Absent };

struct Entry {
    Kind kind;
    UINT first;
    UINT last; // a range of ids, or first again
    Expect expect;
    const char16_t* text; // exact text of a string, when the Parts quote it
};

// The ids the framework (subsystem 5) and the pages (subsystem 6) name.
const Entry kTable[] = {
    // Dialog templates.
    {Kind::Dialog, 1000, 1000, Expect::Present, nullptr},   // Basics
    {Kind::Dialog, 2000, 2000, Expect::Present, nullptr},   // Paper
    {Kind::Dialog, 3000, 3000, Expect::Present, nullptr},   // Finishing
    {Kind::Dialog, 3500, 3500, Expect::Present, nullptr},   // Stapling Options
    {Kind::Dialog, 4000, 4000, Expect::Present, nullptr},   // Destination
    {Kind::Dialog, 5000, 5000, Expect::Present, nullptr},   // Watermark Details
    {Kind::Dialog, 6000, 6000, Expect::Present, nullptr},   // Effects
    {Kind::Dialog, 6500, 6500, Expect::Present, nullptr},   // PostScript
    {Kind::Dialog, 6700, 6700, Expect::Present, nullptr},   // Advanced PS
    {Kind::Dialog, 7000, 7000, Expect::Present, nullptr},   // Configure
    {Kind::Dialog, 7500, 7500, Expect::Present, nullptr},   // More Configuration Options
    {Kind::Dialog, 8000, 8000, Expect::Present, nullptr},   // Custom Paper Size
    {Kind::Dialog, 9000, 9000, Expect::Present, nullptr},   // Print Quality Details (PCL)
    {Kind::Dialog, 10000, 10000, Expect::Present, nullptr}, // Debug
    {Kind::Dialog, 11511, 11511, Expect::Present, nullptr}, // Quick Sets name
    {Kind::Dialog, 11520, 11520, Expect::Present, nullptr}, // About This Driver
    {Kind::Dialog, 11535, 11535, Expect::Present, nullptr}, // manual-feed notice
    {Kind::Dialog, 11540, 11540, Expect::Present, nullptr}, // Job Storage Identification
    {Kind::Dialog, 12000, 12000, Expect::Present, nullptr}, // NT Forms
    {Kind::Dialog, 13000, 13000, Expect::Present, nullptr}, // Print Quality Details (PS)
    {Kind::Dialog, 14000, 14000, Expect::Present, nullptr}, // Color
    {Kind::Dialog, 14501, 14501, Expect::Present, nullptr}, // Manual Color Options
    {Kind::Dialog, 15000, 15000, Expect::Present, nullptr}, // Job Storage
    // Availability reasons, tips and conflict texts of the rules.
    {Kind::String, 5100, 5100, Expect::Present, u"Incompatible Options"},
    {Kind::String, 5101, 5106, Expect::Present, nullptr},
    {Kind::String, 5108, 5113, Expect::Present, nullptr},
    {Kind::String, 5113, 5113, Expect::Present,
     u"To use this feature, turn on the \"Printer Hard Disk\" setting (see \"Configure\" tab, click\" "
     u"More...\")."},
    {Kind::String, 5115, 5118, Expect::Present, nullptr},
    {Kind::String, 5135, 5138, Expect::Present, nullptr},
    {Kind::String, 5140, 5145, Expect::Present, nullptr},
    {Kind::String, 5152, 5158, Expect::Present, nullptr},
    {Kind::String, 5160, 5163, Expect::Present, nullptr},
    {Kind::String, 5165, 5166, Expect::Present, nullptr},
    {Kind::String, 5168, 5168, Expect::Present, nullptr},
    {Kind::String, 5170, 5171, Expect::Present, nullptr},
    {Kind::String, 5301, 5305, Expect::Present, nullptr},
    {Kind::String, 5310, 5310, Expect::Present, nullptr},
    {Kind::String, 5402, 5403, Expect::Present, nullptr},
    {Kind::String, 5405, 5408, Expect::Present, nullptr},
    {Kind::String, 5418, 5418, Expect::Present, u"<Automatic>"},
    {Kind::String, 11902, 11902, Expect::Absent, nullptr}, // a tip id without text
    {Kind::String, 14120, 14124, Expect::Present, nullptr},
    // Paper, custom sizes, booklets, page orders, quick sets, watermarks.
    {Kind::String, 11002, 11003, Expect::Present, nullptr},
    {Kind::String, 11007, 11012, Expect::Present, nullptr},
    {Kind::String, 11014, 11017, Expect::Present, nullptr},
    {Kind::String, 11015, 11015, Expect::Present, u"Version "},
    {Kind::String, 11019, 11029, Expect::Present, nullptr},
    {Kind::String, 11029, 11029, Expect::Present, u"Untitled"},
    {Kind::String, 11032, 11041, Expect::Present, nullptr},
    {Kind::String, 11041, 11041, Expect::Present, u"Job Retention"},
    {Kind::String, 11047, 11054, Expect::Present, nullptr},
    {Kind::String, 11051, 11051, Expect::Present, u"4"},
    {Kind::String, 11052, 11052, Expect::Present, u" Default Print Settings"},
    {Kind::String, 11056, 11064, Expect::Present, nullptr},
    {Kind::String, 11060, 11060, Expect::Present, u" (none)"},
    {Kind::String, 11067, 11067, Expect::Present, u"Gray"},
    {Kind::String, 11072, 11072, Expect::Present, u" #"},
    {Kind::String, 11074, 11081, Expect::Present, nullptr},
    {Kind::String, 11077, 11077, Expect::Present, u"80"},
    {Kind::String, 11083, 11098, Expect::Present, nullptr},
    // Paper types: the list never shows 11112 or 11121-11123, but reads them.
    {Kind::String, 11101, 11112, Expect::Present, nullptr},
    {Kind::String, 11105, 11105, Expect::Present, u"Transparency"},
    {Kind::String, 11111, 11111, Expect::Present, u"Cardstock"},
    {Kind::String, 11119, 11123, Expect::Present, nullptr},
    // Output devices and bins.
    {Kind::String, 11150, 11150, Expect::Present, u"(None)"},
    {Kind::String, 11155, 11155, Expect::Present, nullptr},
    {Kind::String, 11157, 11159, Expect::Present, nullptr},
    {Kind::String, 11162, 11164, Expect::Present, nullptr},
    {Kind::String, 11167, 11178, Expect::Present, nullptr},
    {Kind::String, 11184, 11184, Expect::Present, nullptr},
    {Kind::String, 11190, 11190, Expect::Present, nullptr},
    {Kind::String, 11200, 11203, Expect::Present, nullptr},
    // Colour, halftone, labels, tips, captions.
    {Kind::String, 11301, 11302, Expect::Present, nullptr},
    {Kind::String, 11351, 11352, Expect::Present, nullptr},
    {Kind::String, 11360, 11361, Expect::Present, nullptr},
    {Kind::String, 11413, 11414, Expect::Present, nullptr},
    {Kind::String, 11423, 11424, Expect::Present, nullptr},
    {Kind::String, 11600, 11616, Expect::Absent, nullptr}, // only 11617 of the fit labels exists
    {Kind::String, 11617, 11617, Expect::Present, u"&Print Document On:"},
    {Kind::String, 11901, 11901, Expect::Present, u"Feature Tip"},
    {Kind::String, 11903, 11903, Expect::Present, u"This is the \"Best Quality\" setting"},
    {Kind::String, 11905, 11906, Expect::Present, nullptr}, // the second print-quality preset
    {Kind::String, 11908, 11909, Expect::Present, nullptr},
    {Kind::String, 11913, 11913, Expect::Present, u"Unspecified"},
    // Tray names, job storage, resolutions.
    {Kind::String, 10501, 10523, Expect::Present, nullptr},
    {Kind::String, 12101, 12112, Expect::Present, nullptr},
    {Kind::String, 12111, 12111, Expect::Present, u"UNTITLED"},
    {Kind::String, 12120, 12123, Expect::Present, nullptr},
    {Kind::String, 12122, 12122, Expect::Present, u"600 dpi"},
    {Kind::String, 12130, 12132, Expect::Absent, nullptr}, // resolution entries never listed
    // PostScript, booklets, colour tabs, confirmations.
    {Kind::String, 13000, 13005, Expect::Absent, nullptr}, // print-quality levels
    {Kind::String, 13501, 13506, Expect::Present, nullptr},
    {Kind::String, 13503, 13503, Expect::Present, u"Outlines (Type 1)"},
    {Kind::String, 13508, 13509, Expect::Present, nullptr},
    {Kind::String, 13524, 13525, Expect::Present, nullptr},
    {Kind::String, 13551, 13553, Expect::Present, nullptr},
    {Kind::String, 13556, 13558, Expect::Present, nullptr},
    {Kind::String, 13600, 13602, Expect::Present, nullptr},
    {Kind::String, 13620, 13620, Expect::Present, nullptr},
    {Kind::String, 13623, 13626, Expect::Absent, nullptr}, // booklet entries not added
    // About box status, three-state values, quick-set names.
    {Kind::String, 14000, 14004, Expect::Absent, nullptr},
    {Kind::String, 14110, 14119, Expect::Present, nullptr},
    {Kind::String, 14130, 14130, Expect::Present, u"Type new Quick Set name here"},
};

// Control ids each template must hold (the tab builders' control tables
// and the pages' own controls), with the class of the ones whose class the
// code relies on.
struct Controls {
    WORD dialog;
    std::vector<int> ids;
};

const Controls kControls[] = {
    {1000,
     {1010, 1011, 1012, 1013, 1014, 1015, 1020, 1021, 1022, 1023, 1024, 1030, 1031, 1032, 1033, 1050, 1070,
      11525}},
    {2000, {2010, 2011, 2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024,
            2025, 2056, 2057, 2058, 2059, 2060, 2063, 1070, 1010, 1011, 1012, 1013, 1014, 1015, 11525}},
    {3000, {3010, 3011, 3012, 3013, 3015, 3016, 3017, 3018, 3019, 3024, 3025, 3026, 3027, 3028, 3029, 3030,
            3031, 3032, 3033, 3034, 3040, 3041, 3042, 3043, 1070, 1011, 1012, 1013, 1014, 1015, 11525}},
    {3500, {3502, 3503, 3504, 3505, 3506, 3507, 3508, 1070, 1014, IDOK, IDCANCEL, IDHELP}},
    {4000, {4009, 4021, 4022, 4023, 4024, 2021, 1070, 1011, 1012, 1013, 1014, 1015, 11525}},
    {5000, {5001, 5002, 5003, 5004, 5005, 5006, 5007, 5008, 5009, 5010, 5011, 5012, 5013, 5014,     5015,
            5016, 5017, 5018, 5019, 5020, 5021, 5022, 5026, 5027, 5028, 6533, 1070, IDOK, IDCANCEL, IDHELP}},
    {6000, {6010, 6011, 6012, 6013, 6014, 6019, 6020, 6021, 6022, 6023, 6024,
            6025, 6026, 6033, 6034, 1070, 1011, 1012, 1013, 1014, 1015, 11525}},
    {6500, {6514, 6515, 6523, 6527, 6528, 6529, 6530, 6041, 6042, 1070, 1011, 1013, 1015, 11525}},
    {6700, {6701, 6702, 6703, 6704, 6705, 6706, 6707, 6708, IDOK, IDCANCEL, IDHELP}},
    {7000,
     {7020, 7021, 7022, 7023, 7033, 7034, 7035, 7036, 7037, 7038, 7045, 7049, 7050, 7051, 7052, 2021, 11525}},
    {7500, {7046, 7061, 7062, 7067, 7068, 7069, 7070, 7073, 7074, 7075, 7078, IDOK, IDCANCEL, IDHELP}},
    {8000, {2049,  2050,  2051,  2052,  2053,  2054,  2055,  11411, 11412,   11413, 11414,
            11421, 11422, 11423, 11424, 11430, 11431, 11432, 11433, IDCLOSE, IDHELP}},
    {9000, {9001, 9002, 9003, 9004, 9007, 3021, 3023, 9020, 9021, 9022, 9023, 9024,     9033,  9034,
            9016, 9030, 3037, 6044, 7079, 9032, 3039, 9008, 9009, 3038, IDOK, IDCANCEL, IDHELP}},
    {13000,
     {9001, 9002, 9007, 9016, 9030, 3037, 6044, 7079, 9032, 3039, 9008, 9009, 9031, 3038, IDOK, IDCANCEL,
      IDHELP}},
    {10000, {10010, 10011, 10012, 10013, 10014, 10016, 10017, 10018, 10020, 10021, 10022}},
    {11511, {11513, 11514, IDOK, IDCANCEL}},
    {11520, {11521, 11522, 11523, 11524, 11526, 11527, 11539, IDOK}},
    {11535, {11530, IDOK}},
    {11540, {11530, 11541, 11542, 11543, 11544, 11545, 11546, IDOK, IDHELP}},
    {12000, {12001, 12002, 12003, 12004, 12005, 12006, 12007, 12008, 12009, 12010, 12011, 12012, 11525}},
    {14000,
     {14001, 14002, 14003, 14004, 14116, 13525, 13526, 13527, 13528, 13530, 1070, 1011, 1013, 1015, 11525}},
    {14501, {13506, 13508, 13511, 13513, 13516, 13518, 13520, 13521, 13522, 13523, IDOK, IDCANCEL, IDHELP}},
    {15000, {11551, 11552, 11553, 11554, 11555, 11556, 11557, 11558, 11559, 11560, 11561,
             11562, 11566, 11568, 11569, 11570, 11571, 11573, 11574, 11575, 11576, 5410,
             5411,  5412,  5413,  5414,  5415,  5416,  5417,  1011,  1013,  1015,  11525}},
};

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::u16string ClassOf(HWND window) {
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    return std::u16string(WinText::View(name));
}

class ModuleResourcesTest : public ::testing::TestWithParam<const char16_t*> {
protected:
    void SetUp() override {
        auto& store = WinHostStore::Instance();
        store.RegisterModule(u"QVUI.DLL", QV_MODULE_PATH);
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        module_.Reset(LoadLibraryExW(GetParam(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module_);
    }
    HINSTANCE Module() const { return module_.Get(); }

private:
    WinScopedModule module_;
};
} // namespace

TEST_P(ModuleResourcesTest, EveryIdTheFrameworkAndPagesNameIsPresentAndTheRelyOnAbsentOnesAreAbsent) {
    for (const Entry& entry : kTable) {
        for (UINT id = entry.first; id <= entry.last; ++id) {
            const bool wanted = entry.expect == Expect::Present;
            if (entry.kind == Kind::Dialog) {
                const HWND dialog = CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), nullptr, Quiet, 0);
                EXPECT_EQ(dialog != nullptr, wanted) << "dialog " << id;
                if (dialog != nullptr) DestroyWindow(dialog);
                continue;
            }
            const WCHAR* text = nullptr;
            const int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
            EXPECT_EQ(length > 0, wanted) << "string " << id;
            if (entry.text != nullptr && length > 0) {
                EXPECT_EQ(std::u16string(text, static_cast<size_t>(length)), entry.text) << "string " << id;
            }
        }
    }
}

TEST_P(ModuleResourcesTest, TemplatesHoldTheControlsTheirBuildersName) {
    for (const Controls& controls : kControls) {
        const HWND dialog =
            CreateDialogParamW(Module(), MAKEINTRESOURCEW(controls.dialog), nullptr, Quiet, 0);
        ASSERT_NE(dialog, nullptr) << controls.dialog;
        for (int id : controls.ids)
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "dialog " << controls.dialog << " control " << id;
        DestroyWindow(dialog);
    }
    // Classes and styles the code relies on.
    const HWND basics = CreateDialogParamW(Module(), MAKEINTRESOURCEW(1000), nullptr, Quiet, 0);
    EXPECT_EQ(ClassOf(GetDlgItem(basics, 1022)), UPDOWN_CLASSW);
    EXPECT_EQ(SendDlgItemMessageW(basics, 1022, UDM_GETBUDDY, 0, 0),
              reinterpret_cast<LRESULT>(GetDlgItem(basics, 1021)));
    for (int id : {1070, 11525, 1013, 1015})
        EXPECT_EQ(GetWindowLongW(GetDlgItem(basics, id), GWL_STYLE) & BS_TYPEMASK,
                  static_cast<LONG>(BS_OWNERDRAW))
            << id;
    EXPECT_EQ(ClassOf(GetDlgItem(basics, 1011)), WC_COMBOBOXW);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(basics, 1011), GWL_STYLE) & CBS_TYPEMASK,
              static_cast<LONG>(CBS_DROPDOWN));
    DestroyWindow(basics);
    const HWND watermark = CreateDialogParamW(Module(), MAKEINTRESOURCEW(5000), nullptr, Quiet, 0);
    EXPECT_EQ(ClassOf(GetDlgItem(watermark, 5002)), WC_LISTBOXW);
    EXPECT_NE(GetWindowLongW(GetDlgItem(watermark, 5002), GWL_STYLE) & LBS_NOTIFY, 0);
    EXPECT_NE(GetWindowLongW(GetDlgItem(watermark, 5027), GWL_STYLE) & CBS_OWNERDRAWFIXED, 0);
    DestroyWindow(watermark);
    const HWND effects = CreateDialogParamW(Module(), MAKEINTRESOURCEW(6000), nullptr, Quiet, 0);
    EXPECT_EQ(ClassOf(GetDlgItem(effects, 6023)), WC_SCROLLBARW);
    DestroyWindow(effects);
}

TEST_P(ModuleResourcesTest, TheFinishingRowsSitWhereTheLayoutRulesExpectThem) {
    // The Document Options group starts at 46, Bind at 118, Staple at 157
    // dialog units; the pages-per-sheet controls are moved under Staple.
    const HWND finishing = CreateDialogParamW(Module(), MAKEINTRESOURCEW(3000), nullptr, Quiet, 0);
    ASSERT_NE(finishing, nullptr);
    const struct {
        int id;
        LONG top;
    } rows[] = {{3010, 46}, {3042, 118}, {3027, 157}};
    for (const auto& row : rows) {
        RECT units{0, row.top, 0, row.top};
        MapDialogRect(finishing, &units);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(GetDlgItem(finishing, row.id), &placement);
        EXPECT_EQ(placement.rcNormalPosition.top, units.top) << row.id;
    }
    DestroyWindow(finishing);
}

TEST_P(ModuleResourcesTest, BitmapsCursorsAndVersionInformation) {
    const struct {
        UINT id;
        LONG width;
        LONG height;
    } bitmaps[] = {{2100, 200, 170}, {2122, 200, 170}, {2123, 200, 170}, {2103, 200, 170}, {2104, 200, 170},
                   {2108, 200, 170}, {2109, 200, 170}, {2111, 200, 170}, {2112, 200, 170}, {2113, 200, 170},
                   {2114, 200, 170}, {2115, 200, 170}, {2116, 200, 170}, {2117, 200, 170}, {2119, 200, 170},
                   {11251, 16, 14},  {11252, 16, 14},  {11253, 120, 12}, {11254, 120, 12}, {11255, 40, 40},
                   {11256, 40, 40},  {11260, 16, 16},  {11261, 16, 16},  {11262, 16, 16},  {11263, 16, 16},
                   {11264, 16, 16},  {11280, 9, 9},    {11281, 9, 9},    {11282, 9, 9},    {11283, 9, 9},
                   {14113, 60, 60},  {14114, 60, 60}};
    for (const auto& b : bitmaps) {
        HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(b.id));
        ASSERT_NE(bitmap, nullptr) << b.id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, b.width) << b.id;
        EXPECT_EQ(info.bmHeight, b.height) << b.id;
        DeleteObject(bitmap);
    }
    EXPECT_NE(LoadCursorW(Module(), MAKEINTRESOURCEW(11270)), nullptr);

    const DWORD size = GetFileVersionInfoSizeW(GetParam(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(GetParam(), 0, size, block.data()));
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0409); // English (United States)
    EXPECT_EQ(translation[1], 1252);   // the Western code page: message boxes stay left to right
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\StringFileInfo\\040904E4\\ProductName", &value, &length));
    EXPECT_EQ(WinText::View(static_cast<LPCWSTR>(value)), u"QV Printer Driver");
}

TEST_P(ModuleResourcesTest, PrinterPictureRegionsFillFromTheirSeedPoints) {
    // Flood-filling a tray from its seed point marks the tray and nothing
    // around it, as the pictures' highlight needs.
    HBITMAP picture = LoadBitmapW(Module(), MAKEINTRESOURCEW(2100));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, picture);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(dc, green);
    const COLORREF tray = GetPixel(dc, 129, 106);
    ASSERT_TRUE(ExtFloodFill(dc, 129, 106, tray, FLOODFILLSURFACE));
    EXPECT_EQ(GetPixel(dc, 89, 105), RGB(0, 255, 0)); // the hit rectangle's corners
    EXPECT_EQ(GetPixel(dc, 150, 111), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 166, 55), tray);               // the tray 1 slot is its own region
    EXPECT_EQ(GetPixel(dc, 100, 60), RGB(200, 200, 200)); // the printer body is untouched
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(green);
    DeleteDC(dc);
    DeleteObject(picture);
}

// The module carries its resources, and the resource library carries the same.
INSTANTIATE_TEST_SUITE_P(ModuleAndLibrary, ModuleResourcesTest,
                         ::testing::Values(u"QVUI.DLL", u"QVUIRES.DLL"));
