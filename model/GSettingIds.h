#pragma once
// The attribute ids of the settings tree, one name per id: every id the
// system looks up, builds or compares is written here and nowhere else.
//
// Ids are grouped by where they lie in the driver's data file, under the
// anchors of the id table in resources/printers/README.md (R root, T
// configuration tree, N printer node, P own group of the printer
// configuration, A installed options P/228, D default settings P/359, S the
// printer state, W and J the writer's and the job-control stage's own
// groups). An id that lies in several places sits under the one its readers
// mostly mean; its comment names the others. A fresh settings tree (360) is a
// copy of D with S/246 added as group 362 and S/256 as group 363.
//
// The sections at the end hold the ids the id table does not list: ids that
// are made at run time (the groups of a settings tree, the settings
// encoding's templates, the watermark entries, what the job context adds) or
// that only code reads.
//
// tests/tools/SettingIdCatalogueTest.cpp checks every section against the id
// table, and check_setting_ids (tests/settingids/) keeps ids out of the rest
// of the code: a new id gets its name here, under the section of its place.
#include <cstdint>

namespace GSettingId {

// --- R: the data file's root -----------------------------------------------------------
inline constexpr uint32_t kConfigurationTree = 353;
// Spooler form number (DMPAPER) first, paper id second.
inline constexpr uint32_t kPaperNumberTable = 191;
// Display-string id, DMBIN value, tray id; replaced by the stored "DEKOSTrayMap".
inline constexpr uint32_t kOsTrayMap = 84;
inline constexpr uint32_t kResourceMappingList = 194;

// --- T: the configuration tree ---------------------------------------------------------
inline constexpr uint32_t kPrinterNode = 76;

// --- N: the printer node ---------------------------------------------------------------
// A peripheral's configuration (its children); the printer's is searched depth first.
inline constexpr uint32_t kPeripheralConfiguration = 198;
// A peripheral's state, current and default; the printer's is S.
inline constexpr uint32_t kPeripheralState = 243;
inline constexpr uint32_t kWriterStage = 101;
inline constexpr uint32_t kJobControlStage = 106;

// --- P: the printer configuration's own group ------------------------------------------
// 1 colour, 0 monochrome.
inline constexpr uint32_t kColourDevice = 339;
// Sizes a watermark may take, in points (minimum, maximum).
inline constexpr uint32_t kWatermarkSizeRange = 391;
inline constexpr uint32_t kCopiesRange = 199;
// The values 253 may take (0..2 with a duplex unit, 0 without).
inline constexpr uint32_t kDuplexRange = 203;
// Orientations the printer takes (children: angles).
inline constexpr uint32_t kOrientations = 205;
inline constexpr uint32_t kQuarterTurnsAllowed = 929;
// Resolution entries (each 323, 324, 325), best first; J holds a copy.
inline constexpr uint32_t kResolutions = 206;
// Relaxed paper-size check: the printer's copy of 365/915, which the user sets.
inline constexpr uint32_t kRelaxedPaperCheck = 915;
// Tabs of the Paper page's source choice: 2 (first and other pages) or 3
// (and a back cover).
inline constexpr uint32_t kPaperSourceTabCount = 919;
// 1: the paper types are offered as paper sources.
inline constexpr uint32_t kPaperTypesAsSources = 922;
// 1: choosing manual feed shows the manual-feed notice.
inline constexpr uint32_t kManualFeedNotice = 926;
// The trays the paper-source list may show; absent: every tray.
inline constexpr uint32_t kTraySourceTable = 1114;
// 1: the first page has a tab of its own on the Paper page; absent: 0.
inline constexpr uint32_t kFirstPageOwnTab = 1211;
// 0 off, 3 on; the printer's copy of 365/245, which the user sets.
inline constexpr uint32_t kManualDuplex = 245;
// The printer's copy of 365/311, which the user sets.
inline constexpr uint32_t kStaplerInstalled = 311;
// 1: the printer takes PJL job commands, and the options that need them
// depend on 579.
inline constexpr uint32_t kTakesPjlJobCommands = 611;
// Word 3 of the job-hook block.
inline constexpr uint32_t kJobHookJobType = 434;
// 1: write the manual-duplex PJL line.
inline constexpr uint32_t kManualDuplexPjlLine = 1010;
// Pass-through rule of the PCL XL writer.
inline constexpr uint32_t kPassThroughRule = 1115;
// Help file name, beside the module.
inline constexpr uint32_t kHelpFileName = 374;
// Resource library file name, beside the module.
inline constexpr uint32_t kResourceLibraryName = 401;
// Characters allowed in job and user names (a cmap format-4 segment table).
inline constexpr uint32_t kAllowedNameCharacters = 1026;
// Plug-ins supported: non-zero.
inline constexpr uint32_t kPlugInsSupported = 984;
// Papers the duplex unit prints (children: paper ids); in 365 a value: extra
// input sources listed with the bins.
inline constexpr uint32_t kDuplexPapers = 188;
// The settings a quick set holds; the settings encoding's quick-set template.
inline constexpr uint32_t kQuickSetTemplate = 375;
// Automatic colour control for ordinary media and for transparencies.
inline constexpr uint32_t kAutoColourControl = 208;
inline constexpr uint32_t kTransparencyColourControl = 227;
inline constexpr uint32_t kPaperSourceNames = 193;
// Setting id -> printer-data value name, for the settings an administrator sets.
inline constexpr uint32_t kPrinterDataNames = 950;
inline constexpr uint32_t kListedMediaTypes = 1132;
inline constexpr uint32_t kGreyConversionTables = 970;
inline constexpr uint32_t kMediaPool = 189;
// The media pool used while emulated margins (711) are on: the papers edge to edge.
inline constexpr uint32_t kEmulatedMarginsMediaPool = 195;
inline constexpr uint32_t kCustomSizeMarginPool = 959;
// Installed options of the printer configuration: discovery targets and
// results, paper-handling units (anchor A).
inline constexpr uint32_t kPrinterInstalledOptions = 228;
// Bundles: model variants and the installed options they stand for.
inline constexpr uint32_t kBundles = 369;
// The default settings (anchor D); a fresh settings tree is their copy.
inline constexpr uint32_t kDefaults = 359;
// Margin node of custom sizes (332-335).
inline constexpr uint32_t kCustomMargins = 331;
// Print-quality presets for the DEVMODE quality codes.
inline constexpr uint32_t kQualityPresets = 903;
// Mass-storage font source path.
inline constexpr uint32_t kFontSourcePath = 445;
inline constexpr uint32_t kCapabilitySets = 112;
// Node holding the page-description writer object (its child 101) for the
// kind tests; absent until the writer classes arrive.
inline constexpr uint32_t kWriterHolder = 98;
// How an installed-options update reaches the printer: 0 re-read directly.
inline constexpr uint32_t kInstalledOptionsUpdateRoute = 1117;

// The tray-size table: per tray the papers it feeds (each entry's first
// word is the tray id); the strict table is read by no tab.
inline constexpr uint32_t kTraySizeTable = 978;
inline constexpr uint32_t kStrictTraySizeTable = 979;
// Choices of the manual colour options, code -> label string id, for text,
// graphics and photographs: halftones, then colour maps.
inline constexpr uint32_t kHalftoneChoicesText = 530;
inline constexpr uint32_t kHalftoneChoicesGraphics = 531;
inline constexpr uint32_t kHalftoneChoicesPhotos = 532;
inline constexpr uint32_t kColourMapChoicesText = 534;
inline constexpr uint32_t kColourMapChoicesGraphics = 535;
inline constexpr uint32_t kColourMapChoicesPhotos = 536;
// Choices of the CMYK inkset emulation (PostScript), code -> label string id.
inline constexpr uint32_t kCmykInksetChoices = 606;
// The product table: the product data the code compares with.
inline constexpr uint32_t kProductTable = 1400;
// The booklet choices per paper: one list per paper id (its first word),
// the choices in the order offered; absent: the built-in choices.
inline constexpr uint32_t kBookletChoices = 909;

// Print-quality presets "Best Quality" and "Faster Printing" (the user's own
// "Custom" is D/364/328).
inline constexpr uint32_t kBestQualityPreset = 326;
inline constexpr uint32_t kFasterPrintingPreset = 327;
// Presence switches of the preset items that take part only on some models;
// each id is also the preset item itself.
inline constexpr uint32_t kPresetItemPrintOnBackSide = 402;
inline constexpr uint32_t kPresetItemFor900 = 404;
inline constexpr uint32_t kPresetItemFor405 = 409;
inline constexpr uint32_t kPresetItemVariableData = 704;
inline constexpr uint32_t kPresetItemOptimisePq = 705;
// Non-zero: the rendering-mode radios of the Details dialog are shown.
inline constexpr uint32_t kRenderingModeChoicesShown = 566;
// Non-zero: the PostScript colour-rendering members take part in the presets.
inline constexpr uint32_t kPresetColourRenderingMembers = 593;

// --- P/1400: the product table ---------------------------------------------------------
// Accessories: one composite per accessory with the five members below.
inline constexpr uint32_t kAccessories = 1401;
// The paper-handling unit's name.
inline constexpr uint32_t kAccessoryIdentifier = 1410;
inline constexpr uint32_t kAccessoryPartNumber = 1411;
inline constexpr uint32_t kAccessoryModelCode = 1412;
// 3 stapler/stacker, 4 binder, 5 booklet maker, 6 mailbox, 7 job separator, 8 stacker.
inline constexpr uint32_t kAccessoryRole = 1413;
// The kind of the stapling-button and output-unit tables (0: none).
inline constexpr uint32_t kAccessoryKind = 1414;

// --- P/326: the print-quality presets (P/327 alike) -----------------------------------
// TrueType as bitmaps of a preset (-> 293); the TrueType rule clears it with 293.
inline constexpr uint32_t kPresetTrueTypeAsBitmaps = 220;
// The other members of a preset, each with the setting it stands for.
inline constexpr uint32_t kPresetEdgeEnhancement = 218;
inline constexpr uint32_t kPresetPageProtection = 219;
inline constexpr uint32_t kPresetScalePatterns = 221;
inline constexpr uint32_t kPresetRenderingMode = 242;
inline constexpr uint32_t kPresetEdgeToEdge = 443;
inline constexpr uint32_t kPresetTextAsBlack = 589;
// -> 582, 583, 584 while 593 is non-zero.
inline constexpr uint32_t kPresetColourRendering582 = 586;
inline constexpr uint32_t kPresetColourRendering583 = 587;
inline constexpr uint32_t kPresetColourRendering584 = 588;
// -> 910 while the settings have the fine resolution modes.
inline constexpr uint32_t kPresetFineResolutionMode = 913;
// The preset's resolution node (-> 249) and its members.
inline constexpr uint32_t kPresetResolution = 222;
inline constexpr uint32_t kPresetXResolution = 223;
inline constexpr uint32_t kPresetYResolution = 224;
inline constexpr uint32_t kPresetBitsPerPixel = 225;
// -> 249/911.
inline constexpr uint32_t kPresetFineResolutionDetail = 912;

// --- P/327: the "Faster Printing" preset's own members ---------------------------------
// String ids of its radio text and of its "Current Setting" text.
inline constexpr uint32_t kPresetRadioText = 550;
inline constexpr uint32_t kPresetCurrentSettingText = 551;

// --- P/112: the capability sets --------------------------------------------------------
// Bit 1: flag 113 of the job.
inline constexpr uint32_t kCapabilitySet113 = 113;
// Bit 9: flag 120 of the job.
inline constexpr uint32_t kCapabilitySet120 = 120;
// Bit 0: TrueType bitmaps may be scaled; bits 1 and 4: page scaling.
inline constexpr uint32_t kScalingCapabilities = 135;
// Bits 1 and 2: rendering mode.
inline constexpr uint32_t kRenderingCapabilities = 136;
// Bit 0 keeps a writer other than PCL XL from pass-through.
inline constexpr uint32_t kNoPassThroughCapabilities = 565;

// --- P/970: the grey-conversion tables -------------------------------------------------
// Shift, red, green and blue weights (4 bytes).
inline constexpr uint32_t kWeightedGrey = 971;

// --- P/369/*: a bundle -----------------------------------------------------------------
// A bundle's number; in 365 the bundle of the installed options; in 1120 the
// string id of a built-in quick set.
inline constexpr uint32_t kBundleNumber = 927;
// A bundle's name (model variant); in 1120 the name of a built-in quick set.
inline constexpr uint32_t kBundleName = 370;
// A settings tree: a bundle's settings, the fresh settings and a DEVMODE's.
inline constexpr uint32_t kSettings = 360;

// --- A: the installed options of the printer configuration -----------------------------
// Font memory range, units of 10,485 bytes (W's range; A's driver
// workspace); in 365 the driver workspace as the configuration library names it.
inline constexpr uint32_t kFontMemory = 202;
// Memory in MB, set from 365/925.
inline constexpr uint32_t kConfiguredMemory = 201;
// Duplex unit installed, set from 365/308.
inline constexpr uint32_t kConfiguredDuplexUnit = 204;
// Number of hard disks, set from 365/239.
inline constexpr uint32_t kConfiguredHardDisks = 226;
// Collation in the printer (mopier) supported, set from 365/310.
inline constexpr uint32_t kCollationSupported = 231;
// Scanner installed, set from 365/918.
inline constexpr uint32_t kConfiguredScanner = 1011;
// Held jobs enabled; the same id in 365.
inline constexpr uint32_t kHeldJobs = 441;
// Copied from 365/976 at every apply.
inline constexpr uint32_t kCopiedOption976 = 976;
// Result of the last discovery: 0 none, 1 failure, 2 success; the same in 365.
inline constexpr uint32_t kConfigurationStatus = 313;
// Output bin names the printer reported; the same in 365.
inline constexpr uint32_t kOutputBinNames = 314;
// Media names the printer reported; the same in 365.
inline constexpr uint32_t kReportedMediaNames = 701;
// Paper-handling units: input units with trays, output units with bins.
inline constexpr uint32_t kPaperHandlingUnits = 90;

// --- D: the default settings -----------------------------------------------------------
// Units of custom sizes: 0 not chosen (the user's locale decides), 1 inches, 2 millimetres.
inline constexpr uint32_t kMeasurementUnits = 285;
// User-interface extension modules (children: module names).
inline constexpr uint32_t kExtensionModules = 63;
// Other printing settings: copies, collation, colour, paper source, media
// type, watermark choice.
inline constexpr uint32_t kDocumentGroup = 364;
// Installed options, kept in printer data "365".
inline constexpr uint32_t kInstalledOptionsGroup = 365;
// Watermarks and locks, kept in printer data "366".
inline constexpr uint32_t kWatermarksGroup = 366;
// Registered plug-ins, kept in printer data "368".
inline constexpr uint32_t kPlugInsGroup = 368;
// Plug-in values, carried over by a reset to defaults.
inline constexpr uint32_t kPlugInValuesGroup = 367;
// Custom paper sizes, rebuilt from the forms; the settings encoding's template.
inline constexpr uint32_t kCustomPaperSizes = 276;
// Custom paper width and height, 1/10 mm.
inline constexpr uint32_t kCustomPaperWidth = 1260;
inline constexpr uint32_t kCustomPaperHeight = 1261;
// 1: exchange settings with the configuration library.
inline constexpr uint32_t kExchangeWithConfigLibrary = 1100;
// 1: take the model base name from the driver name.
inline constexpr uint32_t kBaseNameFromDriver = 1122;
// Show the job ID when printing (0: local job storage).
inline constexpr uint32_t kShowJobId = 1033;
// Send TrueType as bitmaps forced, set from the OEM code page.
inline constexpr uint32_t kTrueTypeAsBitmapsForced = 958;
// Grey level of new default watermarks.
inline constexpr uint32_t kDefaultWatermarkGrey = 924;
// The quick set last applied; in a quick-set entry its name.
inline constexpr uint32_t kQuickSetName = 376;
// The model's display strings the About box joins into its model lines.
inline constexpr uint32_t kModelDisplayString1 = 515;
inline constexpr uint32_t kModelDisplayString2 = 516;
inline constexpr uint32_t kModelDisplayString3 = 517;
// Settings editable under the permission lock.
inline constexpr uint32_t kEditableUnderLock = 1126;
// 1: the device is a mopier (the job-storage descriptions say so).
inline constexpr uint32_t kMopier = 238;

// --- D/364: the document group ---------------------------------------------------------
inline constexpr uint32_t kCopies = 291;
inline constexpr uint32_t kCollate = 292;
inline constexpr uint32_t kTrueTypeAsBitmaps = 293;
// Colour-mode choice offered (also read as the printer node's 294).
inline constexpr uint32_t kColourModeOffered = 294;
// 0 colour, 1 and 3 greyscale.
inline constexpr uint32_t kGreyscale = 296;
inline constexpr uint32_t kRasterCompression = 297;
// Colour matching (ICM): 1 on; its method and intent.
inline constexpr uint32_t kColourMatching = 298;
inline constexpr uint32_t kColourMatchingMethod = 350;
inline constexpr uint32_t kColourMatchingIntent = 351;
// 6 manual, 7-10 automatic.
inline constexpr uint32_t kColourMode = 304;
// The colour control in use.
inline constexpr uint32_t kColourControl = 295;
// 0 automatic, 1 vector, 2 graphics as raster, 3 page as raster.
inline constexpr uint32_t kRenderingMode = 255;
inline constexpr uint32_t kTextAsBlack = 585;
// Tray id; 19 automatic.
inline constexpr uint32_t kPaperSource = 258;
inline constexpr uint32_t kOtherPagesPaperSource = 263;
inline constexpr uint32_t kDifferentFirstPage = 264;
// Media type name (empty: automatic).
inline constexpr uint32_t kMediaType = 261;
inline constexpr uint32_t kOtherPagesMediaType = 262;
// 1: configuration to settings wanted at printer set-up.
inline constexpr uint32_t kConfigToSettingsWanted = 306;
// 1: mini-installer wanted at printer set-up.
inline constexpr uint32_t kMiniInstallerWanted = 1025;
// Title of the page shown last.
inline constexpr uint32_t kLastPageTitle = 1118;
inline constexpr uint32_t kWatermarkChoice = 379;
// Print-quality preset "Custom", the user's own.
inline constexpr uint32_t kCustomQualityPreset = 328;
// Fine resolution mode switch (with 911-913).
inline constexpr uint32_t kFineResolutionMode = 910;
// The setting preset item 409 stands for.
inline constexpr uint32_t kPresetItem409Setting = 405;
// The setting preset item 404 stands for.
inline constexpr uint32_t kPresetItem404Setting = 900;
// PostScript: TrueType send mode and font substitution.
inline constexpr uint32_t kTrueTypeSendMode = 570;
inline constexpr uint32_t kFontSubstitution = 571;
// PostScript: the third font option (kept with 570 and 571), what the output is
// optimised for (0 faster printing, 1 document portability), mirror and negative image.
inline constexpr uint32_t kThirdFontOption = 572;
inline constexpr uint32_t kPostScriptOptimisation = 574;
inline constexpr uint32_t kMirrorImage = 575;
inline constexpr uint32_t kNegativeImage = 576;
// PostScript job control: Ctrl-D before and after the job, compressed bitmaps and
// the error page.
inline constexpr uint32_t kCtrlDBeforeJob = 577;
inline constexpr uint32_t kCtrlDAfterJob = 578;
inline constexpr uint32_t kCompressBitmaps = 580;
inline constexpr uint32_t kPostScriptErrorPage = 581;
// PostScript: the first colour-rendering member (with 583 and 584).
inline constexpr uint32_t kPostScriptColourRendering = 582;
// PostScript: CMYK inkset emulation and automatic colour calibration.
inline constexpr uint32_t kCmykInksetEmulation = 605;
inline constexpr uint32_t kAutoColourCalibration = 608;
// PostScript: variable data (kept on the printer hard disk).
inline constexpr uint32_t kVariableData = 702;

// --- D/364/379: the watermark choice ---------------------------------------------------
// 0 every page, 1 first page only, 2 no watermark.
inline constexpr uint32_t kWatermarkFirstPageOnly = 382;
inline constexpr uint32_t kSelectedWatermarkName = 383;
// Watermarks turned off for the document: must be 0.
inline constexpr uint32_t kWatermarksOff = 381;
// Built-in identity of the selected watermark, and of a watermark entry.
inline constexpr uint32_t kBuiltInWatermark = 1112;

// --- D/365: the installed options group ------------------------------------------------
// Driver workspace, copied to 202 of the writer.
inline constexpr uint32_t kDriverWorkspace = 307;
inline constexpr uint32_t kDuplexUnitInstalled = 308;
// Collation in the printer (mopier).
inline constexpr uint32_t kCollationInPrinter = 310;
inline constexpr uint32_t kHardDiskInstalled = 239;
// Memory, MB.
inline constexpr uint32_t kMemory = 925;
inline constexpr uint32_t kScannerInstalled = 918;
// Ignore the application's collation.
inline constexpr uint32_t kIgnoreApplicationCollation = 451;
inline constexpr uint32_t kEnvelopeFeederInstalled = 275;
// Current key of the fixed input unit (7 Tray 2 installed, 8 removed).
inline constexpr uint32_t kFixedInputUnitKey = 274;
// Current key to give the installed optional input unit.
inline constexpr uint32_t kOptionalInputUnitKey = 318;
// Names of the optional input and output units in use (empty: none).
inline constexpr uint32_t kOptionalInputUnit = 315;
inline constexpr uint32_t kOptionalOutputUnit = 316;
// Operation mode (current key) of the optional output unit.
inline constexpr uint32_t kOutputUnitMode = 213;
inline constexpr uint32_t kJobStorageEnabled = 520;
// Paper types listed in the application's source list.
inline constexpr uint32_t kPaperTypesInSourceList = 197;
// Mass-storage fonts, copied to the writer.
inline constexpr uint32_t kMassStorageFonts = 317;
inline constexpr uint32_t kAlternativeLetterheadMode = 1212;
// Form-to-tray assignments; also read as the printer node's 510.
inline constexpr uint32_t kFormToTray = 510;
// 1: collation in the printer (310) follows the hard disk.
inline constexpr uint32_t kCollationFollowsHardDisk = 855;
inline constexpr uint32_t kBinderInstalled = 613;
inline constexpr uint32_t kFinisherInstalled = 981;

// --- D/366: the watermarks group -------------------------------------------------------
// DEVMODE blob form: 1 the settings encoding.
inline constexpr uint32_t kBlobForm = 940;
// The watermark pool; the settings encoding's template.
inline constexpr uint32_t kWatermarkPool = 378;
// The settings the configuration library locked (children: setting values).
inline constexpr uint32_t kLockedSettings = 1102;

// --- D/368: the registered plug-ins group ----------------------------------------------
// One record per registered plug-in.
inline constexpr uint32_t kPlugInRecords = 987;

// --- D/368/987/*: a registered plug-in's record ----------------------------------------
inline constexpr uint32_t kPlugInName = 988;
inline constexpr uint32_t kPlugInKey = 989;
inline constexpr uint32_t kPlugInInfo1 = 990;
inline constexpr uint32_t kPlugInInfo2 = 993;
inline constexpr uint32_t kPlugInInfo3 = 994;

// --- S: the printer state --------------------------------------------------------------
inline constexpr uint32_t kGraphicBundleGroup = 244;
// Printing settings; a settings tree carries its copy as 362, and the
// job-control stage writes its PJL from it.
inline constexpr uint32_t kPrintingStateGroup = 246;
// Page settings; a settings tree carries its copy as 363.
inline constexpr uint32_t kPageStateGroup = 256;
// Language the job-control stage enters ("PCL XL", "PCL"), the writer's name.
inline constexpr uint32_t kEnterLanguage = 373;

// --- S/246: the printing group ---------------------------------------------------------
// The paper as a media object; fresh settings replace it by 260.
inline constexpr uint32_t kMedia = 259;
// Degrees: 0, 90, 180, 270.
inline constexpr uint32_t kOrientation = 265;
// 0 off, 1 short edge, 2 long edge.
inline constexpr uint32_t kDuplex = 253;
// Back cover: 0 none, 1 from the first page's source, 2 from 921 and 973.
inline constexpr uint32_t kBackCover = 920;
inline constexpr uint32_t kBackCoverSource = 921;
inline constexpr uint32_t kBackCoverMediaType = 973;
inline constexpr uint32_t kPagesPerSheetGroup = 329;
// % of normal size.
inline constexpr uint32_t kScale = 269;
// 1: print the document on another paper size (272).
inline constexpr uint32_t kPrintOnOtherPaper = 270;
inline constexpr uint32_t kOtherPaper = 272;
// 0 off, 1 left binding, 2 right binding.
inline constexpr uint32_t kBooklet = 279;
// Booklet sheet size (paper id).
inline constexpr uint32_t kBookletPaper = 280;
// Output bin value: 1 top bin.
inline constexpr uint32_t kOutputBin = 248;
inline constexpr uint32_t kStaple = 278;
// 1 one staple .. 6 custom, 7 none.
inline constexpr uint32_t kStapleOption = 289;
// 1 bind, 3 cancel bind.
inline constexpr uint32_t kBind = 612;
inline constexpr uint32_t kBookletMaker = 982;
// Booklet sheet order: 1 inner to outer.
inline constexpr uint32_t kBookletSheetOrder = 288;
// Scale patterns (WYSIWYG): 1 on.
inline constexpr uint32_t kScalePatterns = 277;
// Copies made by the printer (PJL QTY).
inline constexpr uint32_t kDeviceCopies = 247;
// Edge enhancement level (PJL RET): 0 off .. 4 on.
inline constexpr uint32_t kEdgeEnhancement = 250;
// Page protection (PJL PAGEPROTECT): 1 automatic.
inline constexpr uint32_t kPageProtection = 251;
inline constexpr uint32_t kEconoMode = 252;
// Edge-to-edge printing: 0 off.
inline constexpr uint32_t kEdgeToEdge = 442;
// 1: send PJL job commands.
inline constexpr uint32_t kSendPjl = 579;
// Job retention: 0 off, 1 quick copy, 2 proof and hold, 3 stored, 4 private.
inline constexpr uint32_t kJobRetention = 287;
inline constexpr uint32_t kStoredJobName = 282;
// PIN of a private job.
inline constexpr uint32_t kJobPin = 284;
inline constexpr uint32_t kPrivateJob = 290;
// User name of a stored job when 975 is not used.
inline constexpr uint32_t kStoredJobUserName = 440;
// User name of the job (PJL comment and job accounting).
inline constexpr uint32_t kJobUserName = 975;
// 0: the job's user name is the Windows user.
inline constexpr uint32_t kUserNameSource = 1034;
inline constexpr uint32_t kTypedUserName = 1036;
// 0: the job's name is the document's.
inline constexpr uint32_t kJobNameSource = 1035;
// Job-storage identity text used when 1035 is not 0.
inline constexpr uint32_t kJobStorageIdentity = 1031;
// Clean names against the printer's characters (1026); 1: UTF-8 names.
inline constexpr uint32_t kNameCleaning = 1027;
inline constexpr uint32_t kUserJobName = 1032;
inline constexpr uint32_t kJobStorageNumbering = 1214;
inline constexpr uint32_t kJobStorageName = 1213;
// Optimise print quality (PJL CLEANING).
inline constexpr uint32_t kOptimisePrintQuality = 703;
// Emulated margins: 1 on (selects pool 195).
inline constexpr uint32_t kEmulatedMargins = 711;
inline constexpr uint32_t kSymmetricDuplexMargins = 713;
// Symmetrical margins asked together with duplex.
inline constexpr uint32_t kSymmetricMarginsWithDuplex = 983;
inline constexpr uint32_t kStraightPaperPath = 905;
// One-shot manual-duplex request, cleared after use.
inline constexpr uint32_t kOneShotManualDuplex = 1123;
// 1: the job asks for the optional output accessory.
inline constexpr uint32_t kOptionalOutputAsked = 1127;
// 1: send the device-model record.
inline constexpr uint32_t kSendDeviceModel = 1121;
// 1: write the PLANESINUSE line with greyscale.
inline constexpr uint32_t kPlanesInUseLine = 1030;
// Job accounting values 2, 3 and 5.
inline constexpr uint32_t kJobAccounting2 = 1000;
inline constexpr uint32_t kJobAccounting3 = 999;
inline constexpr uint32_t kJobAccounting5 = 1131;
// Raw PJL text of the job (empty: none).
inline constexpr uint32_t kRawPjl = 240;
inline constexpr uint32_t kResolution = 249;
// Print quality (PJL PRINTQUALITY).
inline constexpr uint32_t kPrintQuality = 901;
// Keys of the PJL media lines and of their variable names.
inline constexpr uint32_t kPjlMediaKey = 907;
inline constexpr uint32_t kPjlVariableKey = 931;
// BITSPERPIXEL line switch.
inline constexpr uint32_t kBitsPerPixelLine = 955;
// Model string (PJL comment, usage record).
inline constexpr uint32_t kModelString = 956;
inline constexpr uint32_t kOsInfoComment = 1007;
inline constexpr uint32_t kThirdComment = 1008;
inline constexpr uint32_t kTurboMode = 1009;
// The usage record's gate and the text it hashes.
inline constexpr uint32_t kUsageRecord = 1021;
inline constexpr uint32_t kUsageRecordText = 1022;
inline constexpr uint32_t kPrintOnBackSide = 1128;
inline constexpr uint32_t kDryTime = 1133;
inline constexpr uint32_t kTimeStampLines = 596;
// Printer display message and its kind.
inline constexpr uint32_t kDisplayMessage = 800;
inline constexpr uint32_t kDisplayMessageKind = 801;
// Greyscale kind of the PJL greyscale line.
inline constexpr uint32_t kGreyscaleKind = 410;
inline constexpr uint32_t kTransparencyInterleave = 1204;
inline constexpr uint32_t kImageShift = 1202;

// --- S/246/329: the pages-per-sheet group ----------------------------------------------
inline constexpr uint32_t kPagesPerSheet = 266;
// 1: page borders.
inline constexpr uint32_t kPageBorders = 267;
// Page order 0-3.
inline constexpr uint32_t kPageOrder = 268;

// --- S/246/249: the resolution node (and the entries of P/206) -------------------------
inline constexpr uint32_t kXResolution = 323;
inline constexpr uint32_t kYResolution = 324;
inline constexpr uint32_t kBitsPerPixel = 325;

// --- S/256: the page group -------------------------------------------------------------
// Copies of each page made by the printer.
inline constexpr uint32_t kPageCopies = 257;

// --- W: the writer's own group ---------------------------------------------------------
// PCL XL protocol class and revision.
inline constexpr uint32_t kPclXlProtocolClass = 561;
inline constexpr uint32_t kPclXlProtocolRevision = 562;
inline constexpr uint32_t kPdlName = 560;
// Tray id -> media source of the writer; replaced by the stored "DEKPDLTrayMap".
inline constexpr uint32_t kWriterTrayMap = 85;
// Paper id -> the writer's media name; in J paper id -> PJL PAPER name.
inline constexpr uint32_t kPaperNames = 192;
// The PCL XL writer's colour-control translation lists (543: neutral greys).
inline constexpr uint32_t kColourTranslation543 = 543;
inline constexpr uint32_t kColourTranslation545 = 545;
inline constexpr uint32_t kColourTranslation552 = 552;
// Our own: the kind of the writer the description's writer line names
// (767 PCL XL, 788 PCL 5, 768 PostScript), until the writer objects arrive.
inline constexpr uint32_t kWriterKind = 1480;

// --- J: the job-control stage's own group ----------------------------------------------
// Output-bin value -> PJL bin name; replaced by "DEKPJLBinMap".
inline constexpr uint32_t kPjlBinNames = 93;
// Media-type texts and variable names of the PJL media lines.
inline constexpr uint32_t kPjlMediaTypeNames = 906;
inline constexpr uint32_t kPjlVariableNames = 930;
// Leave out the closing UEL of the trailer.
inline constexpr uint32_t kNoClosingUel = 1006;

// --- Not in the id table: the groups of a settings tree --------------------------------
// The copies of S/246 and S/256 (the printing and the page group).
inline constexpr uint32_t kPrintingGroup = 362;
inline constexpr uint32_t kPageGroup = 363;
// The paper id that replaces 259 in the printing group.
inline constexpr uint32_t kPaper = 260;
// The user-interface state, never kept.
inline constexpr uint32_t kUiState = 283;

// --- Not in the id table: ids of the settings encoding ---------------------------------
// Entries any node accepts and that are accepted under any node.
inline constexpr uint32_t kFreeEntries = 1101;
inline constexpr uint32_t kAlwaysAccepted = 0x40000018;
// Also the custom size the Custom Paper Size dialog edits, in composite 283.
inline constexpr uint32_t kCustomSizeTemplate = 0x40000019;
// The quick sets, and the flag of a quick-set entry.
inline constexpr uint32_t kQuickSetList = 0x4000005C;
inline constexpr uint32_t kQuickSetFlag = 1124;

// --- Not in the id table: a watermark entry of the pool 378 ----------------------------
inline constexpr uint32_t kWatermark = 380;
// The name 383 selects; the default watermarks store their text here.
inline constexpr uint32_t kWatermarkName = 384;
// The text drawn.
inline constexpr uint32_t kWatermarkText = 385;
inline constexpr uint32_t kWatermarkFace = 386;
inline constexpr uint32_t kWatermarkCharSet = 387;
// Bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
inline constexpr uint32_t kWatermarkStyle = 388;
inline constexpr uint32_t kWatermarkPointSize = 390;
inline constexpr uint32_t kWatermarkCharWidth = 392;
// 1 and 3 along the diagonal, 2 upright, 4 the custom angle.
inline constexpr uint32_t kWatermarkAngleKind = 393;
inline constexpr uint32_t kWatermarkCustomAngle = 394;
// 1: the colour channel at full strength.
inline constexpr uint32_t kWatermarkRed = 398;
inline constexpr uint32_t kWatermarkGreen = 399;
inline constexpr uint32_t kWatermarkBlue = 400;
// Grey level of the other channels (255: 232).
inline constexpr uint32_t kWatermarkShade = 403;
// Values every watermark carries that nothing reads.
inline constexpr uint32_t kWatermarkField389 = 389;
inline constexpr uint32_t kWatermarkField396 = 396;
inline constexpr uint32_t kWatermarkField397 = 397;
// 1 shared, 2 kept in the user's local pool.
inline constexpr uint32_t kWatermarkLocality = 1125;

// --- Not in the id table: what the job context adds to a job's settings ----------------
// The media of 273 follows the paper 272 of 270, the media of 281 the paper 280 of 279.
inline constexpr uint32_t kOtherPaperMedia = 273;
inline constexpr uint32_t kBookletMedia = 281;
// 1 a local port, 3 another.
inline constexpr uint32_t kPortKind = 1012;
inline constexpr uint32_t kJobValue = 600;

// --- Not in the id table: members the table names only with the id they go with --------
// The four margins of the custom-size margin node 331.
inline constexpr uint32_t kCustomMarginLeft = 332;
inline constexpr uint32_t kCustomMarginTop = 333;
inline constexpr uint32_t kCustomMarginRight = 334;
inline constexpr uint32_t kCustomMarginBottom = 335;
// The PostScript colour-rendering members that go with 582 in the document group.
inline constexpr uint32_t kPostScriptColourRendering583 = 583;
inline constexpr uint32_t kPostScriptColourRendering584 = 584;
// The resolution detail that goes with 910 in the document group.
inline constexpr uint32_t kFineResolutionDetail = 911;

// --- Not in the id table: ids only code reads ------------------------------------------
// DEVMODE quality code of a print-quality preset or a resolution entry.
inline constexpr uint32_t kQualityCode = 902;
// The grey tables of P/970 (the table form of the grey conversion).
inline constexpr uint32_t kGreyTables = 972;
// The side and top margins a shrunk media keeps (printer configuration).
inline constexpr uint32_t kShrinkSideMargin = 501;
inline constexpr uint32_t kShrinkTopMargin = 502;
// The media of a media pool.
inline constexpr uint32_t kPoolMedia = 190;
// A peripheral's add-on list among its children.
inline constexpr uint32_t kAddOnList = 64;
// Raw PJL lines of the printing group, written as they are.
inline constexpr uint32_t kRawPjlLines = 985;
// Keyed value tables of the colour readers.
inline constexpr uint32_t kFeatureTable533 = 533;
inline constexpr uint32_t kFeatureTable537 = 537;

// --- Not in the id table: the user-interface state (composite 283) ---------------------
// An option's availability level (0 enabled, 1 shown but disabled, 2 hidden)
// at 0x40000000 + k and the string id of its reason at the next id.
inline constexpr uint32_t kHardDiskLevel = 0x40000025;
inline constexpr uint32_t kHardDiskMessage = 0x40000026;

// The availability pairs of the rules: level, then the string id of the reason.
inline constexpr uint32_t kDuplexLevel = 0x4000001C;
inline constexpr uint32_t kDuplexMessage = 0x4000001D;
inline constexpr uint32_t kManualDuplexLevel = 0x4000001F;
inline constexpr uint32_t kManualDuplexMessage = 0x40000020;
inline constexpr uint32_t kOptimisePqLevel = 0x40000022;
inline constexpr uint32_t kOptimisePqMessage = 0x40000023;
inline constexpr uint32_t kPagesPerSheetLevel = 0x40000028;
inline constexpr uint32_t kPagesPerSheetMessage = 0x40000029;
inline constexpr uint32_t kScaleLevel = 0x4000002B;
inline constexpr uint32_t kScaleMessage = 0x4000002C;
inline constexpr uint32_t kBookletLevel = 0x4000002E;
inline constexpr uint32_t kBookletMessage = 0x4000002F;
inline constexpr uint32_t kFitToLetterLevel = 0x40000031;
inline constexpr uint32_t kFitToLetterMessage = 0x40000032;
inline constexpr uint32_t kStapleLevel = 0x4000003A;
inline constexpr uint32_t kStapleMessage = 0x4000003B;
// Update Now after an automatic configuration, and the automatic configuration.
inline constexpr uint32_t kConfigurationStatusLevel = 0x4000003D;
inline constexpr uint32_t kConfigurationStatusMessage = 0x4000003E;
inline constexpr uint32_t kAutoConfigurationLevel = 0x40000040;
inline constexpr uint32_t kAutoConfigurationMessage = 0x40000041;
inline constexpr uint32_t kOutputBinLevel = 0x40000043;
inline constexpr uint32_t kOutputBinMessage = 0x40000044;
inline constexpr uint32_t kFitToPaperTipLevel = 0x40000046;
// The tip that the watermark list is full: its level and message.
inline constexpr uint32_t kWatermarkListFullLevel = 0x4000005E;
inline constexpr uint32_t kWatermarkListFullMessage = 0x4000005F;
inline constexpr uint32_t kFitToPaperTipMessage = 0x40000047;
inline constexpr uint32_t kCustomSizesLevel = 0x40000049;
inline constexpr uint32_t kCustomSizesMessage = 0x4000004A;
inline constexpr uint32_t kTrueTypeAsBitmapsLevel = 0x4000004C;
inline constexpr uint32_t kTrueTypeAsBitmapsMessage = 0x4000004D;
inline constexpr uint32_t kHighResolutionLevel = 0x4000004F;
inline constexpr uint32_t kSendPjlLevel = 0x40000073;
inline constexpr uint32_t kSendPjlMessage = 0x40000076;
inline constexpr uint32_t kBindLevel = 0x40000079;
inline constexpr uint32_t kBindMessage = 0x4000007A;
inline constexpr uint32_t kStapleOptionsLevel = 0x4000007F;
inline constexpr uint32_t kStapleOptionsMessage = 0x40000080;
// Created with the media-type tip's pair (kPaperTypeTipLevel); nothing raises it.
inline constexpr uint32_t kSourceTabScratch = 0x4000009A;
inline constexpr uint32_t kFormToTrayLevel = 0x400000D4;
inline constexpr uint32_t kFormToTrayMessage = 0x400000D5;
inline constexpr uint32_t kQuickSetsLevel = 0x400000DE;
inline constexpr uint32_t kQuickSetsMessage = 0x400000DF;
inline constexpr uint32_t kPermissionDependentLevel = 0x400000E2;
inline constexpr uint32_t kPermissionDependentMessage = 0x400000E3;
// Rendering mode, its Effects conflict, and text as black.
inline constexpr uint32_t kRenderingModeLevel = 0x400000E8;
inline constexpr uint32_t kRenderingModeMessage = 0x400000E9;
inline constexpr uint32_t kRenderingEffectsLevel = 0x400000EB;
inline constexpr uint32_t kRenderingEffectsMessage = 0x400000EC;
inline constexpr uint32_t kTextAsBlackLevel = 0x400000EE;
inline constexpr uint32_t kTextAsBlackMessage = 0x400000EF;
// The "Custom" print-quality radio: 1 disables it.
inline constexpr uint32_t kCustomQualityLevel = 0x40000037;
// The media made last for a custom paper size.
inline constexpr uint32_t kCustomMediaEntry = 0x40000017;
// The Quick Sets pool's scratch value; the accessory part control marks its
// choice here as well.
inline constexpr uint32_t kQuickSetPoolScratch = 0x40000058;
// The colour tab chosen on the colour tab strip: 0 text, 1 graphics, 2 photographs.
inline constexpr uint32_t kColourTab = 0x40000070;
// The copies' availability level.
inline constexpr uint32_t kCopiesLevel = 0x400000AC;
// The Paper page's tab: 0 all pages or the first page, 1 other pages, 2 back cover.
inline constexpr uint32_t kPaperTab = 0x40000054;
// Availability of the paper source on the first and the other pages' tabs,
// and of the whole source list.
inline constexpr uint32_t kFirstPageSourceLevel = 0x40000052;
inline constexpr uint32_t kOtherPagesSourceLevel = 0x40000053;
inline constexpr uint32_t kPaperSourceLevel = 0x400000CD;
// The type and source rule of the other pages and the back cover.
inline constexpr uint32_t kPaperTypeTipLevel = 0x40000097;
inline constexpr uint32_t kPaperTypeTipMessage = 0x40000098;
inline constexpr uint32_t kBackCoverLevel = 0x400000A9;
inline constexpr uint32_t kDifferentFirstPageLevel = 0x400000AF;
// The source last chosen on the Paper page (a tray id or a paper-type string id).
inline constexpr uint32_t kLastPaperSource = 923;
// Custom-size limits a sheet may set for the dialog (GCustomMediaSize);
// absent: the media pool's largest and smallest sheet.
inline constexpr uint32_t kCustomSizeMaximum = 17384;
inline constexpr uint32_t kCustomSizeMinimum = 17385;

} // namespace GSettingId
