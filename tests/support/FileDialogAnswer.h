// Answers the open and save dialogs while in scope with a path, as the dialog itself would return
// it, and notes how many were shown and what the last one was asked with. closing, when set, runs
// as the dialog closes: what the user's way of closing it leaves behind (input still to come).
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "framework/CommonDialog.h"
#include "framework/FileDialog.h"

class FileDialogAnswer {
public:
  explicit FileDialogAnswer(std::string path) {
    m_previous = AfxSetCommonDialogHandler([this, path](CCommonDialog* dialog) -> INT_PTR {
      auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
      if (!files) return IDCANCEL;
      ++shown;
      title = files->m_ofn.lpstrTitle ? files->m_ofn.lpstrTitle : "";
      folder = files->m_ofn.lpstrInitialDir ? files->m_ofn.lpstrInitialDir : "";
      files->SetFileName(path.c_str());
      if (closing) closing();
      return IDOK;
    });
  }
  ~FileDialogAnswer() { AfxSetCommonDialogHandler(std::move(m_previous)); }
  FileDialogAnswer(const FileDialogAnswer&) = delete;
  FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

  std::function<void()> closing;
  int shown = 0;
  std::string title;
  std::string folder;

private:
  AfxCommonDialogHandler m_previous;
};
