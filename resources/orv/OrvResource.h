// Resource and command ids of the job manager ORV.EXE. Its built-in Chinese resources and the
// English resource library orvResEng.DLL use the same ids; the framework's standard ids come from
// framework/AfxRes.h.
#pragma once

#include "framework/AfxRes.h"

// The main frame: menu, tool bar and its bitmap, icon and title.
#define IDR_MAINFRAME 128
// The run-mode and mark images of the queue's rows, 16 pixels wide.
#define IDB_JOB_STATES 130

// clang-format off
// ---- Commands of the queue ----
#define ID_JOB_START_EACH_JOB 32771   // start, pausing after each job
#define ID_JOB_PAUSE 32772
#define ID_JOB_STOP 32773
#define ID_JOB_DELETE 32774
#define ID_JOB_DELETE_ALL 32775
#define ID_JOB_PAGE_PAUSE 32777       // no handler
#define ID_JOB_FIND 32778
#define ID_JOB_UNUSED_1 32779         // no handler
#define ID_JOB_AUTO_EXIT 32780        // no handler
#define ID_JOB_UNUSED_2 32781         // no handler
#define ID_JOB_MORE_COPIES 32782
#define ID_JOB_FEWER_COPIES 32783
#define ID_JOB_RUN 32784              // posted by the program itself
#define ID_JOB_UNUSED_3 32785         // no handler
#define ID_JOB_START_EACH_COPY 32786  // start, pausing after each copy
#define ID_JOB_START_NO_PAUSE 32787
#define ID_JOB_PURGE 32789            // sent by the frame when it closes
// clang-format on

// ---- Strings ----
#define IDS_COLUMN_JOB_FILE 32788
#define IDS_COLUMN_STATUS 32789
#define IDS_COLUMN_COPIES 32790
#define IDS_COLUMN_DOCUMENT 32791
#define IDS_JOB_DONE 200
#define IDS_ABOUT_TEXT 201
// Why a copy was not cut: the file or port, then the system's reason.
#define IDS_JOB_FILE_UNREADABLE 202
#define IDS_JOB_DATA_UNREADABLE 203
#define IDS_JOB_PORT_NOT_OPENED 204
#define IDS_JOB_PORT_REFUSED 205
#define IDS_JOB_NO_REASON 206
