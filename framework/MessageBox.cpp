#include "framework/MessageBox.h"

#include "framework/GbkText.h"
#include "framework/String.h"
#include "framework/WideText.h"

namespace {

AfxMessageBoxHandler& Handler() {
  static AfxMessageBoxHandler handler;
  return handler;
}

CString& DefaultCaption() {
  static CString caption;
  return caption;
}

}  // namespace

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler) {
  AfxMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void AfxSetMessageBoxCaption(LPCSTR caption) { DefaultCaption() = caption; }

LPCSTR AfxGetMessageBoxCaption() { return DefaultCaption(); }

int AfxShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (!caption) caption = AfxGetMessageBoxCaption();
  if (Handler()) return Handler()(owner, text ? text : "", caption, type);
  // GBK shown in its wide form reads the same on a system of any code page.
  return MessageBoxW(owner, CGbkText::ToWide(text).c_str(), CGbkText::ToWide(caption).c_str(),
                     type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/) {
  return AfxShowMessageBox(GetActiveWindow(), text, nullptr, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT /*helpId*/) {
  CString text;
  if (!text.LoadString(promptId)) text.Format("#%u", promptId);
  return AfxMessageBox(text, type);
}
