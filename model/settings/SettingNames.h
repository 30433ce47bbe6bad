// Sections, keys and defaults of the settings that the drawing model and the editor shell keep:
// in the registry profile (CAppProfile) and in TALVEX42.INI (CIniFile). Key names compare without
// regard to case, so a dialog may write "PAGEWIDTH" where the document reads "PageWidth".
#pragma once

namespace settings {

// ---- Registry profile, section "SystemParam" ----
constexpr char kSystemParam[] = "SystemParam";
constexpr char kPageWidth[] = "PageWidth";
constexpr float kPageWidthDefault = 400.0f;
constexpr char kPageHeight[] = "PageHeight";
constexpr float kPageHeightDefault = 900.0f;
constexpr char kPaletteType[] = "PaletteType";
constexpr int kPaletteTypeDefault = 0;
constexpr char kBackColor[] = "BackColor";
constexpr int kBackColorDefault = 0xFFFFFF;
constexpr char kGridSize[] = "GridSize";
constexpr int kGridSizeDefault = 50;
constexpr char kGridColor[] = "GridColor";
constexpr int kGridColorDefault = 8421504;
constexpr char kAutoFill[] = "AutoFill";
constexpr int kAutoFillDefault = 1;
constexpr char kAutoBD[] = "AutoBD";
constexpr int kAutoBDDefault = 1;
constexpr char kTMState[] = "TMState";
constexpr char kProgPath[] = "ProgPath";
constexpr char kFilePath[] = "FilePath";
constexpr char kFilePathDefault[] = "C:\\TALVEX\\";
constexpr char kFileFilter[] = "FileFilter";
constexpr int kFileFilterDefault = 0;
constexpr char kImagePath[] = "Image";
constexpr char kImagePathDefault[] = "C:\\TALVEX\\";
constexpr char kSharpPolygon[] = "SHARPPOLYGON";
constexpr int kSharpPolygonDefault = 0;
constexpr char kPolygonWidth[] = "PolygonWidth";
constexpr float kPolygonWidthDefault = 2.0f;
constexpr char kPolygonAmount[] = "PolygonAmount";
constexpr int kPolygonAmountDefault = 3;
constexpr char kLineStyle[] = "LINESTYLER";
constexpr int kLineStyleDefault = 2;
constexpr char kLineXWidth[] = "LINEXWIDTH";
constexpr char kLineYWidth[] = "LINEYWIDTH";
constexpr char kLineXSpace[] = "LINEXSPACE";
constexpr char kLineYSpace[] = "LINEYSPACE";
constexpr char kLineSizeDefault[] = "5.0";
constexpr char kExpandThick[] = "EXPANDTHICK";
constexpr float kExpandThickDefault = 5.0f;
constexpr char kExpandThreshold[] = "EXPANDTHORHOLD";
constexpr float kExpandThresholdDefault = 120.0f;
constexpr char kExpandAngleLimited[] = "EXPANDANGLELIMITED";
constexpr float kExpandAngleLimitedDefault = 50.0f;
constexpr char kExpandAccurate[] = "EXPANDACCURATE";
constexpr int kExpandAccurateDefault = -10;
constexpr char kExpandOutline[] = "EXPANDOUTLINE";
constexpr int kExpandOutlineDefault = 1;
constexpr char kExpandMode[] = "EXPANDMODE";
constexpr int kExpandModeDefault = 1;

// ---- Registry profile, cut-pattern sections ----
constexpr char kParallelCut[] = "ParallelCut";
constexpr char kRadiationCut[] = "RadiationCut";
constexpr char kCircleCut[] = "CircleCut";
constexpr char kCutAngle[] = "CutAngle";
constexpr char kParallelCutAngleDefault[] = "0";
constexpr char kRadiationCutAngleDefault[] = "2";
constexpr char kCutGaps[] = "CutGaps";
constexpr char kCutLineWidth[] = "CutLineWidth";
constexpr char kCutLineWidthDefault[] = "2";
constexpr char kCutLines[] = "CutLines";
constexpr int kCutLinesDialogDefault = 5;
constexpr int kCutLinesGeneratorDefault = 8;
constexpr char kBisectrixCut[] = "BisectrixCut";
constexpr int kBisectrixCutDefault = 1;
constexpr char kBisectrixType[] = "BisectrixType";
constexpr int kBisectrixTypeDefault = 0;
constexpr char kKeepBorder[] = "KeepBorder";
constexpr int kKeepBorderDefault = 1;
constexpr char kOrigin[] = "Origin";
constexpr int kOriginDefault = 0;
constexpr char kNoCut[] = "NoCut";
constexpr int kNoCutDialogDefault = 0;
constexpr int kNoCutToolDefault = 1;
constexpr char kStartAngle[] = "StartAngle";
constexpr char kEndAngle[] = "EndAngle";
constexpr char kAngleDefault[] = "0";
constexpr char kGapsAngle[] = "GapsAngle";
constexpr char kGapsAngleDefault[] = "5,+10";
constexpr char kCutParts[] = "CutParts";
constexpr int kCutPartsDefault = 8;
constexpr char kThrowBack[] = "ThrowBack";
constexpr int kThrowBackDefault = 1;
constexpr char kCutDistance[] = "CutDistance";
constexpr char kCutDistanceDefault[] = "2";

// ---- Registry profile, other sections ----
constexpr char kTable[] = "Table";
constexpr char kTableOuterWidth[] = "OWIDTH";
constexpr char kTableInnerWidth[] = "IWIDTH";
constexpr char kTableWidths[] = "WIDTHS";
constexpr char kTableHeights[] = "HEIGHTS";
constexpr char kCoordinate[] = "Coordinate";
constexpr char kSpaceLeftRight[] = "SPACELR";
constexpr char kSpaceTopBottom[] = "SPACETB";
constexpr float kSpaceDefault = 0.0f;
constexpr char kImage[] = "IMAGE";
constexpr char kBarHeight[] = "BarHeight";
constexpr float kBarHeightDefault = 7.0f;
constexpr char kBarMinHeight[] = "BarMinHeight";
constexpr int kBarMinHeightDefault = 15;
constexpr char kBarMaxHeight[] = "BarMaxHeight";
constexpr int kBarMaxHeightDefault = 85;
constexpr char kGrayThreshold[] = "GrayThreshold";
constexpr int kGrayThresholdDefault = 3;
// The vectorising library's settings (its twenty curve-fitting values: CVectorParameters).
constexpr char kVector[] = "VECTOR";
constexpr char kVectorDelta[] = "Delta";  // the preset 0-4
constexpr int kVectorDeltaDefault = 2;
// A negative "Delta": the library takes the stored values instead of a preset.
constexpr int kVectorDeltaOwnValues = -1;
constexpr char kBlackThreshold[] = "BlackThreshold";  // of red + green + blue
constexpr int kBlackThresholdDefault = 512;

// ---- TALVEX42.INI ----
constexpr char kLanguage[] = "Language";  // in kSystemParam
constexpr int kLanguageDefault = 0;
constexpr char kUndoStep[] = "UndoStep";  // in kSystemParam
constexpr int kUndoStepDefault = 10;
constexpr char kPathSection[] = "PATH";
constexpr char kPalettePath[] = "PALETTE";
constexpr int kPalettePathMaxLength = 50;
constexpr char kPageSection[] = "PAGE";  // one key per page-size name
constexpr char kPageSizeDefault[] = "400,900";

}  // namespace settings
