// CPlotParser: the character machine that reads the pen commands of a plot file (the HP-GL and
// DM/PL dialects the editor's cutter models write) and turns their coordinate pairs into pen-up
// moves and pen-down lines in plot units. Everything else is passed over.
//
// A command starts where commands start: at the beginning, after a terminator (";", a blank, a line
// end or another control character) or where a coordinate list or a command's numbers end. There
// one or two upper-case letters name it: "PA" and "PU" (and DM/PL's lone "A" and "U") start a
// pen-up list, "PD" (DM/PL's "D") a pen-down list, in which "x,y" pairs follow each other after
// commas
// ("PD10,20,30,40;" is two lines). A letter inside another command's name or arguments ("SD1,2;",
// a label's text) never starts a list. What the device cannot take is dropped and counted: relative
// moves ("PR"), numbers with decimals (the pair and the rest of its list), and pen commands in
// lower case. Numbers saturate at the limits of 32 bits instead of overflowing.
//
// The whole state is the copyable PlotParserState, so that a caller can keep it between batches
// and put it back when a batch has to be sent again.
#pragma once

#include <windows.h>

// Commands the device cannot take, counted as they are passed over.
struct DroppedCommands {
  INT32 relative;   // "PR" lists
  INT32 decimal;    // coordinate lists cut short by a decimal point
  INT32 lowerCase;  // "pa", "pu", "pd", "pr" and their mixed-case forms
};

// One pen movement to an absolute point in plot units.
struct PlotRecord {
  char pen;  // 'U' move with the pen up, 'D' line with the pen down
  INT32 x;
  INT32 y;
};

struct PlotParserState {
  enum Mode {
    kScanning,  // between commands, or in the numbers of a command that is passed over
    kMnemonic,  // after the first letter of a command's name
    kNumber,    // in a coordinate list
    kSkipping,  // in the text of a command that is passed over, up to ";" or a control character
    kLabel,     // in a label's text, up to a control character
  };
  Mode mode;
  char firstLetter;  // the name's first letter while in kMnemonic
  bool axisY;
  bool minus;
  char pen;
  INT32 value;
  INT32 x;
  INT32 y;
  DroppedCommands dropped;
};

class CPlotParser {
public:
  // The largest coordinate a number saturates at (either sign).
  static constexpr INT32 kMaxValue = 0x7FFFFFFF;

  static PlotParserState StartState();

  CPlotParser() : m_state(StartState()) {}

  // Reads one character; true when it finished a point, which is then in record.
  bool Feed(BYTE c, PlotRecord& record);

  const PlotParserState& State() const { return m_state; }
  void SetState(const PlotParserState& state) { m_state = state; }

private:
  bool FeedScanning(BYTE c);
  bool FeedMnemonic(BYTE c);
  bool FeedNumber(BYTE c, PlotRecord& record);
  void StartCommand(char first, char second);
  void StartList(char pen);
  void AppendDigit(int digit);
  INT32 SignedValue() const;
  bool FinishPoint(PlotRecord& record);

  PlotParserState m_state;
};
