// A TWAIN source manager in memory with one scanner behind it, put in place of TWAIN_32.DLL's
// entry through CTwain::UseSourceManager. It follows the protocol's rules (what each state
// allows), keeps a log of the calls it got, and can be told to fail any call, to refuse the
// chooser, and what each native transfer answers. Images are packed bitmaps handed over as the
// protocol does: a new movable memory block per transfer that the application owns.
#pragma once

#include <windows.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "media/scanning/Twain.h"

class FakeTwainManager {
public:
  FakeTwainManager() {
    s_current = this;
    CTwain::UseSourceManager(&FakeTwainManager::Entry);
  }
  ~FakeTwainManager() {
    CTwain::UseSourceManager(nullptr);
    s_current = nullptr;
  }
  FakeTwainManager(const FakeTwainManager&) = delete;
  FakeTwainManager& operator=(const FakeTwainManager&) = delete;

  // The message the scanner posts to its parent window when images are ready.
  static UINT ReadyMessage() { return ::RegisterWindowMessageA("FakeTwainScannerReady"); }
  static UINT CloseMessage() { return ::RegisterWindowMessageA("FakeTwainScannerClose"); }

  // A call (data type, message) answers with code instead of doing its work.
  void Fail(WORD dataType, WORD message, WORD code = twain::kFailure) {
    failures[{dataType, message}] = code;
  }
  // Images delivered one per transfer, the next transfer's answers first (default: done).
  std::vector<std::vector<BYTE>> images;
  std::deque<WORD> transferAnswers;
  // Whether enabling the source posts ReadyMessage to the parent at once.
  bool readyOnEnable = false;
  WORD userSelectAnswer = twain::kSuccess;
  int getCalls = 0;
  HWND parent = nullptr;
  WORD showInterface = 0;
  std::vector<std::string> log;
  std::map<std::pair<WORD, WORD>, WORD> failures;

private:
  static inline FakeTwainManager* s_current = nullptr;

  static WORD WINAPI Entry(TwainIdentity*, TwainIdentity*, DWORD group, WORD dataType, WORD message,
                           void* data) {
    return s_current ? s_current->Answer(group, dataType, message, data) : twain::kFailure;
  }

  static void Name(TwainIdentity* identity) {
    identity->id = 7;
    std::strcpy(identity->productName, "Fake Scanner");
  }

  WORD Answer(DWORD group, WORD dataType, WORD message, void* data) {
    auto failure = failures.find({dataType, message});
    if (failure != failures.end() && !(dataType == twain::kImageNativeTransfer)) {
      log.push_back("failed " + std::to_string(message));
      return failure->second;
    }
    if (group == twain::kImage && dataType == twain::kImageNativeTransfer)
      return Transfer(static_cast<HGLOBAL*>(data), failure != failures.end());
    switch (message) {
      case twain::kOpenManager:
        log.push_back("open manager");
        return twain::kSuccess;
      case twain::kCloseManager:
        log.push_back("close manager");
        return twain::kSuccess;
      case twain::kGetDefault:
        Name(static_cast<TwainIdentity*>(data));
        log.push_back("get default");
        return twain::kSuccess;
      case twain::kUserSelect:
        log.push_back("user select");
        if (userSelectAnswer == twain::kSuccess) Name(static_cast<TwainIdentity*>(data));
        return userSelectAnswer;
      case twain::kOpenSource:
        Name(static_cast<TwainIdentity*>(data));
        log.push_back("open source");
        return twain::kSuccess;
      case twain::kCloseSource:
        log.push_back("close source");
        return twain::kSuccess;
      case twain::kEnableSource:
        return Enable(static_cast<TwainUserInterface*>(data));
      case twain::kDisableSource:
        log.push_back("disable");
        return twain::kSuccess;
      case twain::kProcessEvent:
        return Event(static_cast<TwainEvent*>(data));
      case twain::kEndTransfer:
        log.push_back("end transfer");
        static_cast<TwainPendingTransfers*>(data)->count = static_cast<WORD>(images.size());
        return twain::kSuccess;
      case twain::kReset:
        log.push_back("reset");
        images.clear();
        static_cast<TwainPendingTransfers*>(data)->count = 0;
        return twain::kSuccess;
      default:
        log.push_back("unknown " + std::to_string(message));
        return twain::kFailure;
    }
  }

  WORD Enable(TwainUserInterface* ui) {
    log.push_back("enable");
    parent = static_cast<HWND>(ui->parent);
    showInterface = ui->showUI;
    if (readyOnEnable) ::PostMessageA(parent, ReadyMessage(), 0, 0);
    return twain::kSuccess;
  }

  WORD Event(TwainEvent* event) {
    const MSG* message = static_cast<const MSG*>(event->event);
    event->message = twain::kNull;
    if (message->message == ReadyMessage()) {
      event->message = twain::kTransferReady;
      return twain::kSourceEvent;
    }
    if (message->message == CloseMessage()) {
      event->message = twain::kCloseSourceRequest;
      return twain::kSourceEvent;
    }
    return twain::kNotSourceEvent;
  }

  // A transfer that keeps failing ends after 100 asks, so that a loop without bound shows as a
  // wrong count rather than a hang.
  WORD Transfer(HGLOBAL* handle, bool failing) {
    ++getCalls;
    log.push_back("get image");
    if (failing) return getCalls > 100 ? twain::kCancel : twain::kFailure;
    WORD answer = twain::kTransferDone;
    if (!transferAnswers.empty()) {
      answer = transferAnswers.front();
      transferAnswers.pop_front();
    }
    if (answer == twain::kFailure) return answer;
    if (images.empty()) return twain::kFailure;
    std::vector<BYTE> image = images.front();
    images.erase(images.begin());
    if (answer != twain::kTransferDone) return answer;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, image.size());
    std::memcpy(::GlobalLock(block), image.data(), image.size());
    ::GlobalUnlock(block);
    *handle = block;
    return answer;
  }
};
