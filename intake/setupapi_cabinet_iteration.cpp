#include "setupapi_cabinet_iteration.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h first: setupapi.h relies on its types.
#include <setupapi.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "platform_files.h"

namespace tvx {

namespace {

struct IterationState {
  CabinetNotificationHandler* handler = nullptr;
  bool aborted = false;  // by the handler's answer
  bool cabinetNotified = false;
  std::size_t filesNotified = 0;
};

// A file as the cabinet lists it.
struct ListedFile {
  std::string nameInCabinet;
  std::uint64_t fileSize = 0;
};

std::string TextOrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

CabinetInfo ToCabinetInfo(const CABINET_INFO_A& info) {
  std::string file = TextOrEmpty(info.CabinetPath);
  if (!file.empty() && file.back() != '\\' && file.back() != '/') {
    file.push_back('\\');
  }
  file += TextOrEmpty(info.CabinetFile);
  return CabinetInfo{file, TextOrEmpty(info.DiskName), info.SetId, info.CabinetNumber};
}

// Any answer that ends the iteration: SetupAPI passes a non-zero code on as
// the error of the whole iteration.
UINT Abort(IterationState& state) {
  state.aborted = true;
  SetLastError(ERROR_OPERATION_ABORTED);
  return ERROR_OPERATION_ABORTED;
}

UINT OnFileInCabinet(IterationState& state, FILE_IN_CABINET_INFO_A& file) {
  ++state.filesNotified;
  CabinetNotification notification =
      FileInCabinet{TextOrEmpty(file.NameInCabinet), file.FileSize, {}};
  const HandlerAnswer answer = state.handler->HandleCabinetNotification(notification);
  if (answer == HandlerAnswer::kSkip) {
    return FILEOP_SKIP;
  }
  const auto* named = std::get_if<FileInCabinet>(&notification);
  if (answer != HandlerAnswer::kDoIt || named == nullptr) {
    Abort(state);
    return FILEOP_ABORT;
  }
  const std::string& target = named->fullTargetName;
  if (target.empty() || target.size() >= sizeof file.FullTargetName ||
      target.find('\0') != std::string::npos) {
    // A target the platform cannot take is a file that failed.
    CabinetNotification outcome = FileExtracted{target, ERROR_FILENAME_EXCED_RANGE};
    if (state.handler->HandleCabinetNotification(outcome) != HandlerAnswer::kNoError) {
      Abort(state);
      return FILEOP_ABORT;
    }
    return FILEOP_SKIP;
  }
  std::memcpy(file.FullTargetName, target.c_str(), target.size() + 1);
  return FILEOP_DOIT;
}

UINT OnNotification(IterationState& state, UINT code, UINT_PTR param1) {
  switch (code) {
    case SPFILENOTIFY_CABINETINFO: {
      state.cabinetNotified = true;
      CabinetNotification info = ToCabinetInfo(*reinterpret_cast<PCABINET_INFO_A>(param1));
      return state.handler->HandleCabinetNotification(info) == HandlerAnswer::kNoError
                 ? NO_ERROR
                 : Abort(state);
    }
    case SPFILENOTIFY_NEEDNEWCABINET: {
      CabinetNotification next =
          NeedNewCabinet{ToCabinetInfo(*reinterpret_cast<PCABINET_INFO_A>(param1))};
      if (state.handler->HandleCabinetNotification(next) != HandlerAnswer::kNoError) {
        return Abort(state);
      }
      // Left to itself the platform would open the next cabinet by the name
      // this one stores, wherever that points. Refusing ends the iteration.
      SetLastError(ERROR_FILE_NOT_FOUND);
      return ERROR_FILE_NOT_FOUND;
    }
    case SPFILENOTIFY_FILEINCABINET:
      return OnFileInCabinet(state, *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1));
    case SPFILENOTIFY_FILEEXTRACTED: {
      const auto& paths = *reinterpret_cast<PFILEPATHS_A>(param1);
      CabinetNotification outcome =
          FileExtracted{TextOrEmpty(paths.Target), static_cast<int>(paths.Win32Error)};
      return state.handler->HandleCabinetNotification(outcome) == HandlerAnswer::kNoError
                 ? NO_ERROR
                 : Abort(state);
    }
    default:
      return NO_ERROR;
  }
}

UINT CALLBACK HandleSetupNotification(PVOID context, UINT code, UINT_PTR param1, UINT_PTR) {
  auto& state = *static_cast<IterationState*>(context);
  // Nothing may unwind through SetupAPI's frames: memory running out inside
  // the handler ends the iteration instead.
  try {
    return OnNotification(state, code, param1);
  } catch (const std::bad_alloc&) {
    const UINT aborted = Abort(state);
    return code == SPFILENOTIFY_FILEINCABINET ? FILEOP_ABORT : aborted;
  }
}

UINT CALLBACK ListFile(PVOID context, UINT code, UINT_PTR param1, UINT_PTR) {
  auto& files = *static_cast<std::vector<ListedFile>*>(context);
  switch (code) {
    case SPFILENOTIFY_FILEINCABINET: {
      const auto& file = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
      try {
        files.push_back({TextOrEmpty(file.NameInCabinet), file.FileSize});
      } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FILEOP_ABORT;
      }
      return FILEOP_SKIP;  // skipped files are not decoded, so damaged data ends nothing
    }
    case SPFILENOTIFY_NEEDNEWCABINET:
      SetLastError(ERROR_FILE_NOT_FOUND);
      return ERROR_FILE_NOT_FOUND;
    default:
      return NO_ERROR;
  }
}

// The platform ends the whole iteration at the first file whose data it
// cannot decode, and never tells of the files after it. Each of those is
// reported to the handler as failed, as it would be had the iteration gone on,
// so that no older file of such a name is left for an update to read.
void FailFilesNotReached(const std::string& cabPath, IterationState& state) {
  std::vector<ListedFile> files;
  SetupIterateCabinetA(cabPath.c_str(), 0, ListFile, &files);
  for (std::size_t i = state.filesNotified; i < files.size(); ++i) {
    CabinetNotification notification = FileInCabinet{files[i].nameInCabinet, files[i].fileSize, {}};
    const HandlerAnswer answer = state.handler->HandleCabinetNotification(notification);
    if (answer == HandlerAnswer::kSkip) {
      continue;
    }
    const auto* named = std::get_if<FileInCabinet>(&notification);
    if (answer != HandlerAnswer::kDoIt || named == nullptr) {
      return;
    }
    CabinetNotification outcome = FileExtracted{named->fullTargetName, ERROR_INVALID_DATA};
    if (state.handler->HandleCabinetNotification(outcome) != HandlerAnswer::kNoError) {
      return;
    }
  }
}

}  // namespace

bool SetupApiCabinetIteration::IterateCabinet(const std::string& cabPath,
                                              CabinetNotificationHandler& handler) {
  // A folder, a device or a pipe is no cabinet, and reading a pipe may never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(FileSystemPath(cabPath), error)) {
    return false;
  }
  IterationState state{&handler};
  const BOOL iterated = SetupIterateCabinetA(cabPath.c_str(), 0, HandleSetupNotification, &state);
  if (iterated == FALSE && state.cabinetNotified && !state.aborted) {
    FailFilesNotReached(cabPath, state);
  }
  return iterated != FALSE && !state.aborted;
}

std::unique_ptr<CabinetIteration> MakeCabinetIteration() {
  return std::make_unique<SetupApiCabinetIteration>();
}

}  // namespace tvx
