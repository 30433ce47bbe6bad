// CCutSettings: the settings of a cut job, kept in the section "CutInfo" of Cutters.INI and shared
// by the cut bars and the cutter profile. Built with the values a missing section gives; loading
// and saving go through the profile file the caller names. Lengths are millimetres unless said.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CIniFile;

struct CCutSettings {
  // Half-cut lengths when "CutInfo" has none: every reader takes the same.
  static constexpr float kDefaultSolidCut = 2.0f;
  static constexpr float kDefaultVoidCut = 0.2f;

  CCutSettings();

  // Reads every key of "CutInfo"; the colour choice and colour separation start afresh.
  void LoadCutSettings(const CIniFile& file);
  // Writes the keys the cut bars change; speed, force and the half-cut lengths have their own
  // writers (the cutter profile and the half-cut dialog).
  void SaveCutSettings(const CIniFile& file) const;
  // Where the output goes: above 0 a device port, 0 a file to ask for, -1 the name is the file.
  int GetTargetKind() const;
  void SetPortName(LPCSTR name);

  CFRect m_mediaRect;  // page units (mm)
  int m_colorNumber;   // -1: all colours
  char m_portName[200];
  int m_testWidth;  // mm
  int m_colorSeparation;
  int m_pageRect;
  int m_autoFeed;
  int m_textLine;
  int m_sort;
  short m_penSpeed;
  short m_penForce;
  int m_setForce;
  int m_setSpeed;
  float m_curveAccurate;
  int m_remoteCut;
  int m_pauseCut;
  int m_savePaper;
  int m_pageGaps;
  float m_zoomCut;
  int m_mirror;
  int m_penMode;
  float m_bladeOffset;  // mm
  int m_overcut;        // device steps
  int m_halfCut;
  float m_solidCut;     // mm
  float m_voidCut;      // mm
  WORD m_mmPageGap;     // mm
  int m_shareOutLimit;  // page units; 0: no strips
};

// The section of Cutters.INI that holds the cut settings and the chosen model ("Device").
extern const char kCutInfoSection[];
