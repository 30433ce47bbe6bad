// CCutSettings: the settings of a cut job, kept in the section "CutInfo" of Cutters.INI and shared
// by the cut bars and the cutter profile. Built with the values a missing section gives.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

struct CCutSettings {
  CCutSettings();

  CFRect m_mediaRect;      // page units (mm)
  int m_colorNumber;       // -1: all colours
  char m_portName[200];
  int m_testWidth;         // mm
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
  float m_bladeOffset;     // mm
  int m_overcut;           // device steps
  int m_halfCut;
  float m_solidCut;        // mm
  float m_voidCut;         // mm
  WORD m_mmPageGap;        // mm
  int m_shareOutLimit;     // page units; 0: no strips
};
