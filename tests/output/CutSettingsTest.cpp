// The cut settings in "CutInfo" of Cutters.INI: defaults of a missing section, what a save writes
// and what it leaves to other writers, and the target kind of the port name. No window.
#include <gtest/gtest.h>

#include <string>

#include "model/settings/IniFile.h"
#include "output/CutSettings.h"
#include "support/TempFolder.h"

namespace {

class CutSettingsTest : public ::testing::Test {
protected:
  CutSettingsTest() { m_file.SetPath(m_folder.File("Cutters.INI").c_str()); }

  std::string Key(const char* key) {
    char text[256] = {};
    GetPrivateProfileStringA("CutInfo", key, "<none>", text, sizeof text, m_file.GetPath());
    return text;
  }

  TempFolder m_folder;
  CIniFile m_file;
};

TEST_F(CutSettingsTest, AMissingSectionGivesTheDefaults) {
  CCutSettings settings;
  settings.m_colorNumber = 7;
  settings.LoadCutSettings(m_file);
  EXPECT_FLOAT_EQ(400, settings.m_mediaRect.right - settings.m_mediaRect.left);
  EXPECT_FLOAT_EQ(900, settings.m_mediaRect.bottom - settings.m_mediaRect.top);
  EXPECT_EQ(-1, settings.m_colorNumber);
  EXPECT_STREQ("", settings.m_portName);
  EXPECT_EQ(18, settings.m_testWidth);
  EXPECT_EQ(1, settings.m_autoFeed);
  EXPECT_EQ(1, settings.m_sort);
  EXPECT_EQ(60, settings.m_penSpeed);
  EXPECT_FLOAT_EQ(2.0f, settings.m_curveAccurate);
  EXPECT_FLOAT_EQ(2.0f, settings.m_solidCut);
  EXPECT_FLOAT_EQ(0.2f, settings.m_voidCut);
  EXPECT_EQ(20, settings.m_mmPageGap);
  EXPECT_EQ(0, settings.m_shareOutLimit);
}

TEST_F(CutSettingsTest, SavedSettingsLoadBackAndTheOthersAreLeftAlone) {
  CCutSettings saved;
  saved.m_mediaRect = CFRect(0, 0, 610, 1200);
  saved.SetPortName("Plotter @ LPT1:");
  saved.m_testWidth = 25;
  saved.m_pageRect = 1;
  saved.m_autoFeed = 0;
  saved.m_textLine = 0;
  saved.m_sort = 0;
  saved.m_curveAccurate = 1.5f;
  saved.m_remoteCut = 1;
  saved.m_pauseCut = 0;
  saved.m_savePaper = 0;
  saved.m_pageGaps = 4;
  saved.m_zoomCut = 1.25f;
  saved.m_mirror = 1;
  saved.m_halfCut = 1;
  saved.m_mmPageGap = 35;
  saved.m_shareOutLimit = 300;
  saved.m_penSpeed = 11;
  saved.m_solidCut = 9;
  saved.SaveCutSettings(m_file);
  // Speed, force and the half-cut lengths have writers of their own.
  EXPECT_EQ("<none>", Key("PenSpeed"));
  EXPECT_EQ("<none>", Key("SolidCut"));
  EXPECT_EQ("1.2500", Key("ZoomCut"));

  CCutSettings loaded;
  loaded.LoadCutSettings(m_file);
  EXPECT_FLOAT_EQ(610, loaded.m_mediaRect.right);
  EXPECT_FLOAT_EQ(1200, loaded.m_mediaRect.bottom);
  EXPECT_STREQ("Plotter @ LPT1:", loaded.m_portName);
  EXPECT_EQ(25, loaded.m_testWidth);
  EXPECT_EQ(1, loaded.m_pageRect);
  EXPECT_EQ(0, loaded.m_autoFeed);
  EXPECT_EQ(0, loaded.m_textLine);
  EXPECT_EQ(0, loaded.m_sort);
  EXPECT_FLOAT_EQ(1.5f, loaded.m_curveAccurate);
  EXPECT_EQ(1, loaded.m_remoteCut);
  EXPECT_EQ(0, loaded.m_pauseCut);
  EXPECT_EQ(0, loaded.m_savePaper);
  EXPECT_EQ(4, loaded.m_pageGaps);
  EXPECT_FLOAT_EQ(1.25f, loaded.m_zoomCut);
  EXPECT_EQ(1, loaded.m_mirror);
  EXPECT_EQ(1, loaded.m_halfCut);
  EXPECT_EQ(35, loaded.m_mmPageGap);
  EXPECT_EQ(300, loaded.m_shareOutLimit);
}

// The half-cut lengths are floats wherever they are read, with one default each; values out of
// range fall back as the cutter can use them; a long port name is cut to its field.
TEST_F(CutSettingsTest, ValuesAreReadAsTheirWritersMeantThem) {
  const char* section = "CutInfo";
  m_file.WriteString(section, "SolidCut", "2.5000");
  m_file.WriteString(section, "VoidCut", "0.7500");
  m_file.WriteString(section, "CurveAccurate", "0.1");
  m_file.WriteString(section, "ZoomCut", "-3");
  m_file.WriteString(section, "PaperWidth", "-500");
  m_file.WriteString(section, "PortName", std::string(198, 'C').c_str());
  CCutSettings settings;
  settings.LoadCutSettings(m_file);
  EXPECT_FLOAT_EQ(2.5f, settings.m_solidCut);
  EXPECT_FLOAT_EQ(0.75f, settings.m_voidCut);
  EXPECT_FLOAT_EQ(0.5f, settings.m_curveAccurate);
  EXPECT_FLOAT_EQ(1.0f, settings.m_zoomCut);
  EXPECT_FLOAT_EQ(500, settings.m_mediaRect.right - settings.m_mediaRect.left);
  EXPECT_EQ(198u, strlen(settings.m_portName));
  settings.SetPortName(std::string(400, 'X').c_str());
  EXPECT_EQ(199u, strlen(settings.m_portName));
}

TEST(CutSettingsTarget, ThePortNameDecidesWhereTheJobGoes) {
  const struct {
    const char* port;
    int kind;
  } cases[] = {{"COM1", 1},        {"LPT2:", 33},     {"FILE:", 0},
               {"file:", 0},       {"D:\\a.plt", -1}, {"Cutter[x.upl:01]", 128},
               {"P @ LPT1:", 256}, {"COM1234", -1},   {"", -1}};
  CCutSettings settings;
  for (const auto& c : cases) {
    settings.SetPortName(c.port);
    EXPECT_EQ(c.kind, settings.GetTargetKind()) << c.port;
  }
}

}  // namespace
