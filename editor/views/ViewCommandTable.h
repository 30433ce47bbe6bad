// CViewCommandTable: the commands of the main drawing view, one row each: the action that carries
// a command out and the rules that enable, check or radio-mark its menu entries and buttons. The
// view looks every command up here before its message map, so one row decides both what the menu
// shows and whether the command runs: a command whose entry is disabled does nothing when an
// accelerator sends it all the same.
//
// Rows whose action is kPending belong to features still to come. They carry their rules already
// but stay disabled, so that no menu entry looks as if it worked while it does nothing; a feature
// lands by giving its rows an action.
#pragma once

#include <windows.h>

#include <cstddef>

// What the rules look at, taken from the view when the user interface is updated.
struct ViewCommandState {
  int currentTool = 0;
  // Blocks whose selected flag is 1, and the images among them.
  int selected = 0;
  int selectedImages = 0;
  // The first selected block in list order: its type code (0 when none) and, for a text block,
  // its layout kind (-1 otherwise).
  BYTE firstSelectedType = 0;
  int firstSelectedLayout = -1;
  // The character size mode new text takes (0 normal, 1 absolute uniform, 2 absolute).
  int textSizeMode = 0;
  // Whether new text sets Chinese punctuation half wide.
  bool halfWidthPunctuation = false;
  // Whether wrapped lines of straight text share their slack (the AutoFill setting).
  bool autoFill = false;
  bool editing = false;
  // The type code of the block under edit (0 when none).
  BYTE editType = 0;
  // Whether delete finds something: the edited block's own selection, or selected blocks.
  bool deletable = false;
  bool feedbackBlock = false;
  bool guideSelected = false;
  // A text block and a curve are among the selected blocks.
  bool textAndCurveSelected = false;
  INT_PTR undoSteps = 0;
  bool scrollLock = false;
  // The main frame's palette and property bars: whether they exist and are shown.
  bool paletteBar = false;
  bool paletteVisible = false;
  bool propertyBar = false;
  bool propertyVisible = false;
};

class CViewCommandTable {
public:
  enum Action : BYTE {
    kPending,
    kSetTool,
    // The text and node tools: all blocks deselected first.
    kSetToolDeselected,
    kRedraw,
    kWholePage,
    kShowAll,
    kZoomInAtCursor,
    kZoomOutAtCursor,
    kUndo,
    kTogglePaletteBar,
    kTogglePropertyBar,
    kToggleSnapGrid,
    kDeleteSelection,
    kCancelRotation,
    // Controls of the palette bar: the bar handles their notifications; the row only keeps them
    // enabled, since a bar disables a control that nothing claims.
    kBarControl,
    // The view's message map carries the command out; the row keeps its entry enabled.
    kViewHandler,
    // Node editing of the curve under edit (CNodeCommands).
    kNodeCommand,
    // The view's editing commands (CEditCommands) carry it out.
    kEditCommand,
    // The output-area commands (COutputAreaCommands) answer it before the table is asked.
    kOutputAreaCommand,
    // An entry kept enabled (or greyed) by its rule with nothing of its own to do.
    kEnabledOnly,
  };
  enum Enable : BYTE {
    kAlways,
    kNever,
    kAnySelected,
    kOneSelectedNoImage,
    kTwoSelectedNoImage,
    // At least two selected blocks that are not images: a weld takes them all at once and leaves
    // the images.
    kTwoOrMoreNonImagesSelected,
    kSelectedNoImage,
    kOneImageAmongSelected,
    kFirstSelectedTextNotEditing,
    kGuideSelectedWithNonImages,
    kUndoAvailable,
    kOutputAreaTool,
    kPaletteBarExists,
    kPropertyBarExists,
    // The block under edit has a selection of its own, or else blocks are selected.
    kDeletable,
    kCurveUnderEdit,
    // A text block under edit, or else selected blocks.
    kTextEditedOrSelected,
    // A text and a curve selected: text along a path.
    kTextAndCurveSelected,
    // One block selected that an artistic transformation takes (not an image, not transformed).
    kOneArtSourceSelected,
    // One transform block selected.
    kOneTransformSelected,
  };
  enum Mark : BYTE {
    kNoMark,
    kRadioCurrentTool,
    kCheckPaletteVisible,
    kCheckPropertyBarVisible,
    kCheckScrollLock,
    // Checked when the first selected block is a text block laid out as the row's value says.
    kCheckTextLayout,
    // Radio mark when the size mode of new text is the row's value.
    kRadioTextSizeMode,
    kCheckHalfWidthPunctuation,
    kCheckAutoFill,
  };

  struct Row {
    UINT first;
    UINT last;
    Action action;
    Enable enable;
    Mark mark;
    int markValue;
  };

  // What an update handler sets: enabled, and the check (-1 leaves it) or radio mark (-1 leaves
  // it).
  struct ItemState {
    BOOL enabled;
    int check;
    int radio;
  };

  // The row of a command id, null when the view has none for it.
  static const Row* Find(UINT id);
  static ItemState Evaluate(const Row& row, UINT id, const ViewCommandState& state);
  static bool Holds(Enable rule, const ViewCommandState& state);
  static const Row* Rows(size_t* count);
};
