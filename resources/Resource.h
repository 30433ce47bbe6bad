// Resource and command ids of the editor. The built-in Chinese resources and the English resource
// library use the same ids; the framework's standard ids come from framework/AfxRes.h.
#pragma once
// clang-format off

#include "framework/AfxRes.h"

// The ids are a table laid out by hand.
// clang-format off

// ---- Frames, menus, accelerators, icons ----
#define IDR_MAINFRAME 128        // main frame: menu, accelerators, icon, title
#define IDR_TALVEXTYPE 129       // document template: menu, accelerators, icon, document string
#define IDR_CUTFRAME 188         // cut-output window: menu (removed when made), icon, title string

// ---- Tool bars (tool bar resource and bitmap of the same id) ----
#define IDR_TOOLBOX_NORMAL 128   // tool box, ordinary tools
#define IDR_MAINTOOLBAR 132
#define IDR_WINDOWTOOLBAR 136
#define IDR_PROPBAR_TEXT 151
#define IDR_PROPERTYBAR 158      // property bar as created
#define IDR_TOOLBOX_NODE 192
#define IDR_TOOLBOX_OUTPUT 200   // 39 x 20 images
#define IDR_PROPBAR_LIBRARY 221

// ---- Dialogs and their controls ----
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 128
#define IDD_LOGO 207
#define IDC_LOGO_PROGRESS 1184
#define IDD_EMPTY_PANEL 264
#define IDD_PALETTE_BAR 176
#define IDC_PALETTE_SPARE1 1011
#define IDC_PALETTE_SPARE2 1012
#define IDC_PALETTE_PAGER 1113
#define IDC_PALETTE_MORE 1134
#define IDC_PALETTE_SWATCHES 1226
#define IDD_PAGE_SETUP 179
#define IDC_PAGE_WIDTH 1144
#define IDC_PAGE_HEIGHT 1145
#define IDC_PAGE_TYPE 1233
#define IDC_PALETTE_TYPE 1237
#define IDC_BACK_COLOUR 1240
#define IDC_GRID_COLOUR 1241
#define IDC_GRID_SIZE 1242
#define IDD_GUIDE_PANEL 227
#define IDC_GUIDE_POINT_SLOPE 1123
#define IDC_GUIDE_TWO_POINTS 1124
#define IDC_GUIDE_X1 1125
#define IDC_GUIDE_Y1 1126
#define IDC_GUIDE_X2 1127
#define IDC_GUIDE_Y2 1128
#define IDC_GUIDE_ANGLE 1177
#define IDD_PATH_TEXT_PANEL 260
#define IDD_PATH_OFFSET_PANEL 268
#define IDC_PATH_OUTSIDE 1434
#define IDC_PATH_INSIDE 1435
#define IDC_PATH_LINE_CENTRE 1436
#define IDC_PATH_CHAR_CENTRE 1437
#define IDC_PATH_REVERSED 1438
#define IDC_PATH_TURNED 1439
#define IDC_PATH_FILL 1440
#define IDC_PATH_WHOLE_WORDS 1441
#define IDC_PATH_VALUE1 1278
#define IDC_PATH_VALUE2 1279
#define IDC_PATH_VALUE3 1446
#define IDC_PATH_OFFSET 1174
#define IDC_PATH_SPACING 1200
#define IDD_ARCH_PANEL 1159  // the arch's panel: the arc's buttons, a width and a height
#define IDC_ARCH_WIDTH 1144
#define IDC_ARCH_HEIGHT 1145
#define IDS_ARC_PANEL_CAPTION 51500  // 51500-51502: captions of the curved text layouts' panels
#define IDS_ARCH_PANEL_CAPTION 51501
#define IDS_PATH_PANEL_CAPTION 51502
// Cut output: the cut device bar, the port settings and half-cut dialogs
#define IDD_CUT_DEVICE_BAR 189
#define IDC_CUT_PORT 1289
#define IDC_CUT_MODEL 1280
#define IDC_CUT_MEDIA_WIDTH 1065
#define IDC_CUT_MEDIA_HEIGHT 1066
#define IDC_CUT_SPEED_CHECK 1295
#define IDC_CUT_SPEED 1062
#define IDC_CUT_FORCE_CHECK 1272
#define IDC_CUT_FORCE 1063
#define IDC_CUT_FORCE_SPIN 1064
#define IDC_CUT_TEST 1134
#define IDC_CUT_RESET 1098
#define IDC_CUT_OUTPUT 1106
#define IDC_CUT_EXIT 1107
#define IDD_PORT_SETUP 299
#define IDC_PORT_SPEED 1290
#define IDC_PORT_PARITY 1291
#define IDC_PORT_DATA_BITS 1406
#define IDC_PORT_STOP_BITS 1407
#define IDC_PORT_FLOW 1399
#define IDC_PORT_RTSCTS 1403
#define IDC_PORT_DTRDSR 1405
#define IDC_PORT_DEFAULTS 1088
#define IDD_HALF_CUT 303
#define IDC_HALF_SOLID 1308
#define IDC_HALF_VOID 1309
// Cut output: the option bar, its two pages and the cutting progress dialog
#define IDD_CUT_OPTIONS_BAR 193
#define IDC_CUT_OPTIONS_TAB 1079
#define IDD_CUT_OPTIONS_PAGE 187
#define IDC_CUT_SAVE_PAPER 1312
#define IDC_CUT_COLOUR_SEPARATION 1303
#define IDC_CUT_COLOUR_LIST 1310
#define IDC_CUT_AUTO_FEED 1304
#define IDC_CUT_TEXT_LINE 1306
#define IDC_CUT_PAGE_RECT 1074
#define IDC_CUT_SORT 1075
#define IDC_CUT_REMOTE 1089
#define IDC_CUT_HALF_CUT 1305
#define IDC_CUT_HALF_CUT_SETTINGS 1307
#define IDC_CUT_PRECISION 1286
#define IDC_CUT_ZOOM 1093
#define IDC_CUT_PAGE_GAP 1313
#define IDC_CUT_LENGTH_LIMIT 1374
#define IDC_CUT_MIRROR 1101
#define IDC_CUT_ROTATE 1100
#define IDD_CUT_ADJUST_PAGE 196
#define IDC_CUT_PLOT_MODE 1420
#define IDC_CUT_BLADE_OFFSET 1421
#define IDC_CUT_OVERCUT 1240
#define IDC_CUT_RATIO_X 1297
#define IDC_CUT_RATIO_Y 1298
#define IDC_CUT_OVERLAP 1320
#define IDC_CUT_STEP_UP 1135
#define IDC_CUT_STEP_DOWN 1137
#define IDC_CUT_STEP_LEFT 1136
#define IDC_CUT_STEP_RIGHT 1134
#define IDC_CUT_PAUSE 1095
#define IDC_CUT_PORT_SETTINGS 1294
#define IDD_CUT_PROGRESS 214
#define IDC_CUT_PROGRESS_TEXT 1000
#define IDC_CUT_PROGRESS_BAR 1311
// The cut-output window's commands: the media edges as tools, and the frame's own
#define ID_MOVE_PAPER_LEFT 32796
#define ID_MOVE_PAPER_RIGHT 32797
#define ID_MOVE_PAPER_TOP 32798
#define ID_MOVE_PAPER_BOTTOM 32799
#define ID_EXIT_CLOSE 32801
#define ID_CUT_REBUILD 32795
// Shape, transform, copy and position dialogs and the cut patterns (controls by number in the
// dialog classes)
#define IDD_POLYGON_SETTINGS 165
#define IDD_TABLE 166
#define IDD_OUTER_RECT 167
#define IDD_ROTATE 169
#define IDD_SKEW 170
#define IDD_MIRROR 171
#define IDD_SCALE 172
#define IDD_MULTI_COPY 173
#define IDD_EXPAND 219
#define IDD_POSITION 257
#define IDD_PARALLEL_CUT 265
#define IDD_RADIAL_CUT 274
#define IDD_RING_CUT 276
#define IDS_TOO_MANY_COPIES 50400
#define IDS_PATTERN_BAD_VALUE 50401
#define IDS_PATTERN_TOO_MANY_PIECES 50402
#define IDS_EQUAL_PARTS_TOO_FEW 50403
#define IDS_LIBRARY_CALL_FAILED 50404
#define IDS_ERROR_CAPTION 50405
#define IDS_TABLE_EMPTY 50406
#define IDS_CUT_CENTRE_ITEMS 50407     // the centre choices of the radial and ring cuts, one per line
#define IDS_COPY_LABELS 50409          // the copy dialog's gap labels, then its margin labels
#define IDS_POSITION_ORIGIN_ITEMS 50408  // the origin choices of the position dialog, one per line
#define IDS_PORT_PARITY_ITEMS 50020  // the parity and flow-control combo entries, one per line
#define IDS_PORT_FLOW_ITEMS 50021
// Text: the property bar's text page and the change-font dialog
#define IDD_FONT_CHOICE 103
#define IDD_FONT_SIZE 174
#define IDC_FONT_LIBRARY 1099
#define IDC_FONT_CODES 1030
#define IDC_FONT_NAMES 1100
#define IDC_FONT_SIZE 1027
#define IDC_FONT_SIZE_SPIN 1029
#define IDC_FONT_LIST 1098
#define IDC_FONT_PREVIEW 1158
#define IDC_FONT_SIZE_X 1101
#define IDC_FONT_SIZE_Y 1102
#define IDC_FONT_SIZE_X_SPIN 1204
#define IDC_FONT_SIZE_Y_SPIN 1205
#define IDC_FONT_SIZE_BAR 1207
#define IDC_FONT_BOX_GAPS 1208
#define IDC_FONT_LINE_GAPS 1209
#define IDC_FONT_ANGLE 1177
#define IDC_FONT_SKEW_X 1178
#define IDC_FONT_SKEW_Y 1179
// Text: the Latin parameters dialog and the text page's font preview pop-up
#define IDD_LATIN_PARAMS 175
#define IDD_FONT_PREVIEW_POPUP 288
#define IDC_LATIN_BASELINE 1215
#define IDC_LATIN_BASELINE_SPIN 1217
#define IDC_LATIN_RATIO 1219
#define IDC_LATIN_RATIO_SPIN 1220

// ---- Bitmaps ----
#define IDB_CHECKMARK 182
#define IDB_LOGO 206
#define IDB_CUT_TABS 193         // 16 x 16, red is transparent
#define IDB_CUT_ARROWS 208       // 14 x 14: <, >, ^, V
#define IDB_CUT_ARROWS_PRESSED 209
#define IDB_SKEW_HORZ 229        // 15 x 9, drawn with SRCINVERT
#define IDB_SKEW_VERT 230        // 9 x 15
#define IDB_ROTATE_TOPLEFT 231   // 15 x 15 each
#define IDB_ROTATE_TOPRIGHT 232
#define IDB_ROTATE_BOTTOMLEFT 233
#define IDB_ROTATE_BOTTOMRIGHT 234
#define IDB_ROTATE_CENTRE 235
#define IDB_PATH_OUTSIDE 236      // 236, 245-250: faces of the text-layout panel's buttons
#define IDB_PATH_OFFSET_LABEL 251  // 251-253: labels of its edits
#define IDB_PATH_SPACING_LABEL 252
#define IDB_PATH_ANGLE_LABEL 253

// ---- Cursors (the main frame loads all of them at start-up) ----
#define IDC_CUR_MOVE 146
#define IDC_CUR_OUTPUT_AREA 158
#define IDC_CUR_LINE_CUT 153
#define IDC_CUR_PARALLEL_CUT 156
#define IDC_CUR_RADIAL_CUT 154
#define IDC_CUR_RING_CUT 163
#define IDC_CUR_CONTOUR_LINE 162
#define IDC_CUR_PLACE 184
#define IDC_CUR_IMAGE 129
#define IDC_CUR_LIBRARY 148
#define IDC_CUR_LINE 202
#define IDC_CUR_POLYGON 149
#define IDC_CUR_RECT 187
#define IDC_CUR_CIRCLE 189
#define IDC_CUR_BEZIER 188
#define IDC_CUR_REGULAR_POLYGON 198
#define IDC_CUR_TABLE 199
#define IDC_CUR_TRACKER 195
#define IDC_CUR_ZOOM_IN 196
#define IDC_CUR_ZOOM_OUT 272
#define IDC_CUR_NODE 197
#define IDC_CUR_ADD_NODE 262
#define IDC_CUR_DELETE_NODE 164
#define IDC_CUR_TO_CURVE 217
#define IDC_CUR_SKEW_HORZ 1178
#define IDC_CUR_SKEW_VERT 1179
#define IDC_CUR_ROTATE 1146
#define IDC_CUR_TO_LINE 263
#define IDC_CUR_TEXT_DRAG 266

// ---- Strings ----
#define IDS_PANE_POINTER 104
#define IDS_PANE_WIDTH 105
#define IDS_PANE_HEIGHT 106
#define IDS_PANE_TYPE 107
#define IDS_OPEN_FIRST 108       // 108-122: steps of opening a document
#define IDS_OPEN_LAST 122
#define IDS_MERGE_TITLE 123
#define IDS_EXPORT_TITLE 124
#define IDS_UNTITLED_PRINT 130
#define IDS_CUTFRAME_DOC 188
#define IDS_BLOCK_LINE 189       // 189-199: block type names, 201-205: stamp shapes
#define IDS_BLOCK_UNKNOWN 199
#define IDS_FONT_LIBRARY 50001
#define IDS_SYMBOL_LIBRARY 50002
#define IDS_SHEET_TYPES 50007
#define IDS_CARD_TYPES 50008
#define IDS_ERROR 50009
#define IDS_SEND_FAILED 50015
#define IDS_WARNING 50017
#define IDS_JOB_MANAGER_TITLE 50018
#define IDS_CUT_OUTPUT 50019
#define IDS_NOTICE 50100
#define IDS_CANNOT_OPEN_FILE 50301
#define IDS_STATUS_POINTER 50302  // status pane formats
#define IDS_STATUS_WIDTH 50303
#define IDS_STATUS_HEIGHT 50304
#define IDS_STATUS_MEASURE 50305
// Merging files
#define IDS_MERGE_FILTER_MISSING 50410
#define IDS_MERGE_READ_FAILED 50411
#define IDS_SECTION_SUFFIX 59999
// Outline operations and export
#define IDS_OUTLINE_FAILED 50320
#define IDS_EXPORT_FAILED 50321

// ---- Commands ----
// File
#define ID_FILE_MERGE 40017
#define ID_FILE_EXPORT 40020
#define ID_FILE_READ_IMAGE 40021
#define ID_FILE_SCAN 40161
#define ID_PAGE_SETUP 40061
#define ID_FILE_CUT_OUTPUT 32789
#define ID_FILE_FILL_OUTPUT 32888
// Edit
#define ID_EDIT_SELECT_ALL_BLOCKS 32784
#define ID_EDIT_GROUP 40036
#define ID_EDIT_UNGROUP 40037
#define ID_EDIT_TO_FRONT 40043
#define ID_EDIT_TO_BACK 40044
#define ID_EDIT_SOLID 40032
#define ID_EDIT_HOLLOW 32827
// View
#define ID_VIEW_WHOLE_PAGE 40110
#define ID_VIEW_SHOW_ALL 40111
#define ID_VIEW_ZOOM_IN_2X 49008
#define ID_VIEW_ZOOM_OUT_2X 49007
#define ID_VIEW_REDRAW 40031
#define ID_VIEW_PALETTE_BAR 32772
#define ID_VIEW_PROPERTY_BAR 32889
#define ID_VIEW_PROPERTY_WINDOW 32807
#define ID_VIEW_ZONE_TABLE 40066
#define ID_VIEW_TEXT_EDITOR 40067
#define ID_VIEW_PALETTE_SETTINGS 40058
#define ID_VIEW_EXTENDED_PALETTE 1134
#define ID_SNAP_GUIDES 32813
#define ID_SNAP_EDGES 32814
#define ID_SNAP_GRID 32815
// Tools
#define ID_TOOL_SELECT 40070
#define ID_TOOL_TEXT 40071
#define ID_TOOL_LIBRARY 40075
#define ID_TOOL_NODE 40118
#define ID_TOOL_LINE 40093
#define ID_TOOL_POLYGON 40095
#define ID_TOOL_RECT 40096
#define ID_TOOL_CIRCLE 40097
#define ID_TOOL_POLYLINE 40099
#define ID_TOOL_BEZIER 40103
#define ID_TOOL_REGULAR_POLYGON 40104
#define ID_TOOL_TABLE 40107
#define ID_TOOL_ZOOM_IN 40112
#define ID_TOOL_ZOOM_OUT 40113
#define ID_TOOL_MEASURE 32841
#define ID_TOOL_OUTER_RECT 40106
#define ID_TOOL_POLYGON_SETTINGS 40105
// Arrange
#define ID_ALIGN_LEFT 40080
#define ID_ALIGN_RIGHT 40081
#define ID_ALIGN_TOP 40082
#define ID_ALIGN_BOTTOM 40083
#define ID_ALIGN_HCENTRE 40084
#define ID_ALIGN_VCENTRE 40085
#define ID_ALIGN_CENTRE 40086
#define ID_PAGE_ALIGN_LEFT 32872
#define ID_PAGE_ALIGN_RIGHT 32873
#define ID_PAGE_ALIGN_TOP 32874
#define ID_PAGE_ALIGN_BOTTOM 32875
#define ID_PAGE_ALIGN_HCENTRE 32876
#define ID_PAGE_ALIGN_VCENTRE 32877
#define ID_PAGE_CENTRE 40115
#define ID_SPACE_HORZ 32852
#define ID_SPACE_VERT 32853
// Transform
#define ID_TRANSFORM_ROTATE 40046
#define ID_TRANSFORM_SKEW 40047
#define ID_TRANSFORM_MIRROR 40108
#define ID_TRANSFORM_SCALE 40050
#define ID_TRANSFORM_COPIES 40045
#define ID_TRANSFORM_POSITION 32820
#define ID_TRANSFORM_CANCEL_ROTATION 40049
#define ID_TRANSFORM_ROTATE_90 32901
#define ID_TRANSFORM_MIRROR_HORZ 32903
#define ID_ART_TRANSFORM 60000   // effect n of the transform library is 60000 + n
#define ID_ART_TRANSFORM_LAST 60099
#define ID_ART_TRANSFORM_CANCEL 60100
// The artistic-transformation chooser: the effects' names and their previews.
#define IDD_ART_TRANSFORM 261
#define IDC_ART_TRANSFORM_NAMES 1148
#define IDC_ART_TRANSFORM_PREVIEWS 1150
// Transformed objects read without the transform library; a source the library refuses.
#define IDS_TRANSFORM_SOURCE_ONLY 52000
#define IDS_TRANSFORM_REFUSED 52001
// Curves and outlines
#define ID_CURVE_COMBINE 40079
#define ID_CURVE_CONVERT 40169
#define ID_CONTOUR_COMBINE 40038
#define ID_CONTOUR_SPLIT 40039
#define ID_OUTLINE_WELD 32830
#define ID_OUTLINE_TRIM 32831
#define ID_OUTLINE_INTERSECT 32832
#define ID_OUTLINE_XOR 32833
#define ID_OUTLINE_CONTOUR_CUT 32866
#define ID_OUTLINE_UNCROSS_TEXT 32886
#define ID_OUTLINE_THICKNESS 40153
#define ID_NODE_ADD 40119
#define ID_NODE_DELETE 40120
#define ID_NODE_BREAK 40121
#define ID_NODE_JOIN 40122
#define ID_NODE_TO_CURVE 40141
#define ID_NODE_TO_LINE 40142
#define ID_NODE_DELETE_CONTOUR 40165
#define ID_NODE_REPLACE_CIRCLE 40166
#define ID_NODE_REPLACE_SQUARE 40167
#define ID_NODE_REPLACE_CURVE 40168
#define ID_NODE_DRAW_CONTOUR 32855
#define ID_NODE_MOVE_CONTOUR 32862
// Text
#define ID_TEXT_FONT_SIZE 40051
#define ID_TEXT_LATIN_PARAMS 40054
#define ID_TEXT_HORZ 40087
#define ID_TEXT_HORZ_REVERSE 32805
#define ID_TEXT_VERT 40089
#define ID_TEXT_VERT_REVERSE 40088
#define ID_TEXT_ARC 40040
#define ID_TEXT_ARCH 32854
#define ID_TEXT_ALONG_PATH 40041
#define ID_TEXT_JUSTIFY 40091
#define ID_TEXT_LEFT 40092
#define ID_TEXT_LINE_START 40174
#define ID_TEXT_LINE_START_CANCEL 40175
#define ID_TEXT_AUTO_FILL 40090
#define ID_TEXT_SIZE_NORMAL 40176
#define ID_TEXT_SIZE_UNIFORM 40053
#define ID_TEXT_SIZE_ABSOLUTE 40052
#define ID_TEXT_HALF_WIDTH 40114
#define ID_FONT_PATHS 40059
// Cutting and output
#define ID_CUT_LINE 32834
#define ID_CUT_PARALLEL 32835
#define ID_CUT_RADIAL 32836
#define ID_CUT_RING 32837
#define ID_CUT_GUIDE 32887
#define ID_OUTPUT_AREA_TOOL 40024
#define ID_OUTPUT_AREA_DRAW 32792
#define ID_OUTPUT_AREA_SELECT 32794
#define ID_OUTPUT_AREA_SET 32892
#define ID_OUTPUT_AREA_CLEAR 32791
#define ID_CARD_COPY 32871
#define ID_STAMP_NEW 32893
// Images
#define ID_IMAGE_VECTORISE 40022
#define ID_IMAGE_TRACE 32868
#define ID_IMAGE_BARS 32787
#define ID_IMAGE_VECTOR_SETTINGS 40062
#define ID_IMAGE_CURVE_FIT 40149
#define ID_IMAGE_SCREEN_TRACE 40164
// Graphics libraries and fonts
#define ID_LIBRARY_MANAGE 40150
#define ID_FONT_BUILD_WIN 40072
#define ID_LIBRARY_CONVERT 32869
#define ID_LIBRARY_BOOK 40171
#define ID_FONT_FROM_SCREEN 32895
#define ID_LIBRARY_FROM_FOLDER 32896
#define ID_LIBRARY_BUILD 32897
#define ID_LIBRARY_PRINT 32907
#define ID_LIBRARY_ADD_ARTWORK 32870
#define ID_LIBRARY_PAGE 32809
#define ID_PROPBAR_PLACE 32781
// Language
#define ID_LANGUAGE_GB 32863
#define ID_LANGUAGE_BIG5 32864
#define ID_LANGUAGE_ENGLISH 32879
#define ID_LANGUAGE_DEFAULT 32904
// Placeholder in tool box resources that the tool box turns into a separator
#define ID_TOOLBOX_PLACEHOLDER 65535

// ---- Status protocol and internal commands (sent with data, no menu entry) ----
#define ID_STATUS_POINTER 32838
#define ID_STATUS_SIZE 32839
#define ID_STATUS_TYPE 32840
#define ID_STATUS_MEASURE 32842
#define ID_VIEW_ACTIVATED 32843
#define ID_STATUS_TEXT 32850
#define ID_STATUS_TEXT_ID 32851
#define ID_PROPERTY_REFRESH 32819
#define ID_PALETTE_COLOUR 49003

// ---- Control ids of the frame's bars ----
#define IDW_TOOLBOX 128
#define IDW_PALETTE_BAR 176
#define IDW_DOCUMENT_BAR 9988
// ---- Typed-input dialogs of the creation tools ----
#define IDD_RECT_PARAMS 190
#define IDD_CIRCLE_PARAMS 191
#define IDD_LINE_TYPE 314
#define IDC_SHAPE_WIDTHS 1144
#define IDC_SHAPE_HEIGHTS 1145
#define IDC_CIRCLE_KIND 158
#define IDC_ARC_KIND 159
#define IDC_PIE_KIND 160
#define IDC_CHORD_KIND 161
#define IDC_RADII_X 1185
#define IDC_RADII_Y 1186
#define IDC_START_ANGLE 1278
#define IDC_END_ANGLE 1279
#define IDC_LINE_POINTS 1386

// clang-format on
