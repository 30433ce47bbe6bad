#include "installer/CutterCatalogue.h"

#include "installer/InstallerTexts.h"

namespace {

const char kMark[] = "MARK";
const char kLanguageId[] = "LanguageID";
const char kManufacturer[] = "Manufacturer";
const char kCopyFiles[] = "CopyFiles";
const char kDataSection[] = "DataSection";
const char kDataFileMark[] = ".pcd";
const char kBlanks[] = " \t";

bool Fail(CInstallProblem* problem, const CInstallProblem& what) {
  if (problem) *problem = what;
  return false;
}

bool IsAbsolutePath(const CString& path) {
  return (path.GetLength() >= 2 && path[1] == ':') || path.Left(2) == "\\\\";
}

bool HoldsDataFileMark(CString item) {
  item.MakeLower();
  return item.Find(kDataFileMark) >= 0;
}

int ListChars(const CStringArray& files) {
  int chars = 1;
  for (INT_PTR i = 0; i < files.GetSize(); ++i) chars += files[i].GetLength() + 1;
  return chars;
}

}  // namespace

CString CCutterCatalogue::CataloguePath(LPCSTR commandLine, LPCSTR programFolder,
                                        LANGID systemLanguage) {
  CString name(commandLine ? commandLine : "");
  name.Trim(kBlanks);
  if (name.GetLength() >= 2 && name[0] == '"' && name[name.GetLength() - 1] == '"')
    name = name.Mid(1, name.GetLength() - 2);
  if (name.IsEmpty())
    name = systemLanguage == kChineseSystemLanguage ? InstallerText::kChineseCatalogue
                                                    : InstallerText::kEnglishCatalogue;
  return IsAbsolutePath(name) ? name : CString(programFolder) + name;
}

bool CCutterCatalogue::Load(LPCSTR path, CInstallProblem* problem) {
  m_manufacturer.Empty();
  if (m_catalogue.Load(path)) return true;
  return Fail(problem, CInstallProblem(CInstallProblem::kCatalogueUnreadable, 0, path));
}

bool CCutterCatalogue::LoadText(const char* text, size_t length) {
  m_manufacturer.Empty();
  return m_catalogue.LoadText(text, length);
}

int CCutterCatalogue::GetLanguageId() const { return m_catalogue.GetInt(kMark, kLanguageId, 0); }

bool CCutterCatalogue::GetMarkText(LPCSTR key, CString* text) const {
  if (!m_catalogue.HasKey(kMark, key)) return false;
  *text = m_catalogue.GetString(kMark, key);
  return true;
}

bool CCutterCatalogue::ReadSection(LPCSTR name, CStringArray& lines, const CInstallProblem& missing,
                                   CInstallProblem* problem) const {
  switch (m_catalogue.GetSection(name, lines)) {
    case CSetupCatalogue::kSectionFound:
      return true;
    case CSetupCatalogue::kSectionTooLong:
      return Fail(problem, CInstallProblem(CInstallProblem::kSectionTooLong, 0, name));
    case CSetupCatalogue::kSectionMissing:
      break;
  }
  return Fail(problem, missing);
}

bool CCutterCatalogue::ReadManufacturer(CInstallProblem* problem) {
  m_manufacturer.Empty();
  const CInstallProblem missing(CInstallProblem::kNoManufacturer, 1);
  CStringArray lines;
  if (!ReadSection(kManufacturer, lines, missing, problem)) return false;
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
    const CString& line = lines[i];
    if (line[0] != '%') continue;
    int last = line.ReverseFind('%');
    CString name = last > 0 ? line.Mid(1, last - 1) : CString();
    name.Trim(kBlanks);
    if (name.IsEmpty()) return Fail(problem, CInstallProblem(CInstallProblem::kBadManufacturer));
    // Only the first manufacturer is used; its section must be there to list the models.
    CStringArray models;
    if (!ReadSection(name, models, missing, problem)) return false;
    m_manufacturer = name;
    return true;
  }
  return Fail(problem, missing);
}

bool CCutterCatalogue::GetModelLines(CStringArray& lines, CInstallProblem* problem) const {
  lines.RemoveAll();
  CStringArray all;
  if (m_manufacturer.IsEmpty() ||
      !ReadSection(m_manufacturer, all, CInstallProblem(CInstallProblem::kNoManufacturer, 1),
                   problem))
    return false;
  for (INT_PTR i = 0; i < all.GetSize(); ++i)
    if (all[i][0] == '"') lines.Add(all[i]);
  return true;
}

void CCutterCatalogue::GetModelNames(CStringArray& names) const {
  names.RemoveAll();
  CStringArray lines;
  GetModelLines(lines, nullptr);
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
    Entry entry;
    names.Add(ParseModelLine(lines[i], &entry) ? entry.name : lines[i].Mid(1));
  }
}

bool CCutterCatalogue::ParseModelLine(const CString& line, Entry* entry) {
  if (line.IsEmpty() || line[0] != '"') return false;
  // The name ends at the first quote that the separating '=' follows; a name may hold '='.
  for (int quote = line.Find('"', 1); quote > 0; quote = line.Find('"', quote + 1)) {
    CString rest = line.Mid(quote + 1);
    rest.TrimLeft(kBlanks);
    if (rest.IsEmpty() || rest[0] != '=') continue;
    CString section = rest.Mid(1);
    int comma = section.Find(',');
    if (comma >= 0) section = section.Left(comma);
    section.Trim(kBlanks);
    if (section.IsEmpty()) return false;
    entry->name = line.Mid(1, quote - 1);
    entry->section = section;
    return true;
  }
  return false;
}

bool CCutterCatalogue::CheckName(const CString& name, CInstallProblem* problem) const {
  if (name.IsEmpty() || name.FindOneOf("\\,") >= 0)
    return Fail(problem, CInstallProblem(CInstallProblem::kNameNotPrinterName, 0, name));
  if (name.GetLength() > kMaxNameBytes)
    return Fail(problem, CInstallProblem(CInstallProblem::kNameTooLong, 0, name));
  return true;
}

bool CCutterCatalogue::GetCutterEntry(int index, Entry* entry, CInstallProblem* problem) const {
  CStringArray lines;
  if (!GetModelLines(lines, problem)) return false;
  if (index < 0 || index >= lines.GetSize())
    return Fail(problem, CInstallProblem(CInstallProblem::kNoCutter, index + 1));
  if (!ParseModelLine(lines[index], entry))
    return Fail(problem, CInstallProblem(CInstallProblem::kBadCutterLine));
  return CheckName(entry->name, problem);
}

bool CCutterCatalogue::IsPlainFileName(const CString& name) {
  if (name.IsEmpty() || name == "." || name == "..") return false;
  for (int i = 0; i < name.GetLength(); ++i)
    if (static_cast<unsigned char>(name[i]) < ' ') return false;
  return name.FindOneOf("\\/:*?\"<>|") < 0;
}

bool CCutterCatalogue::AddFile(const CString& file, CStringArray& files,
                               CInstallProblem* problem) const {
  if (!IsPlainFileName(file))
    return Fail(problem, CInstallProblem(CInstallProblem::kFileNameNotPlain, 0, file));
  files.Add(file);
  return true;
}

bool CCutterCatalogue::CollectFiles(const CString& section, CStringArray& files, CString* dataFile,
                                    CInstallProblem* problem) const {
  CString items = m_catalogue.GetString(section, kCopyFiles);
  int start = 0;
  while (start <= items.GetLength()) {
    int comma = items.Find(',', start);
    if (comma < 0) comma = items.GetLength();
    CString item = items.Mid(start, comma - start);
    item.Trim(kBlanks);
    start = comma + 1;
    if (item.IsEmpty()) continue;
    bool named = item[0] == '@';
    CString file = named ? item.Mid(1) : item;
    file.Trim(kBlanks);
    if (named || HoldsDataFileMark(item)) {
      if (!AddFile(file, files, problem)) return false;
      if (HoldsDataFileMark(file)) *dataFile = file;
      continue;
    }
    CStringArray lines;
    if (!ReadSection(item, lines, CInstallProblem(CInstallProblem::kNoFileSection, 0, item),
                     problem))
      return false;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
      if (!AddFile(lines[i], files, problem)) return false;
  }
  if (ListChars(files) > kMaxFileListChars)
    return Fail(problem, CInstallProblem(CInstallProblem::kFileListTooLong, 0, section));
  return true;
}

bool CCutterCatalogue::ReadScript(const CString& dataSection, LPCSTR key,
                                  CInstallProblem::Kind missing, CString* file,
                                  CInstallProblem* problem) const {
  *file = m_catalogue.GetString(dataSection, key);
  if (file->IsEmpty()) return Fail(problem, CInstallProblem(missing));
  if (!IsPlainFileName(*file))
    return Fail(problem, CInstallProblem(CInstallProblem::kFileNameNotPlain, 0, *file));
  return true;
}

bool CCutterCatalogue::FillCutterInfo(const Entry& entry, LPCSTR programFolder, CCutterInfo* info,
                                      CInstallProblem* problem) const {
  CStringArray files;
  CString dataFile;
  if (!CollectFiles(entry.section, files, &dataFile, problem)) return false;
  if (dataFile.IsEmpty())
    return Fail(problem, CInstallProblem(CInstallProblem::kNoDataFile, 0, entry.section));
  CString dataSection = m_catalogue.GetString(entry.section, kDataSection);
  if (dataSection.IsEmpty())
    return Fail(problem, CInstallProblem(CInstallProblem::kNoDataSection, 0, entry.section));
  CString driver, config, help;
  if (!ReadScript(dataSection, "DriverFile", CInstallProblem::kNoDriverFile, &driver, problem) ||
      !ReadScript(dataSection, "ConfigFile", CInstallProblem::kNoConfigFile, &config, problem) ||
      !ReadScript(dataSection, "HelpFile", CInstallProblem::kNoHelpFile, &help, problem))
    return false;
  const CString folder(programFolder);
  for (const CString* file : {&driver, &config, &dataFile, &help}) {
    if (folder.GetLength() + file->GetLength() >= MAX_PATH)
      return Fail(problem, CInstallProblem(CInstallProblem::kPathTooLong, 0, *file));
  }
  info->name = entry.name;
  info->driverPath = folder + driver;
  info->configPath = folder + config;
  info->dataPath = folder + dataFile;
  info->helpPath = folder + help;
  info->dependentFiles.RemoveAll();
  info->dependentFiles.Append(files);
  return true;
}
