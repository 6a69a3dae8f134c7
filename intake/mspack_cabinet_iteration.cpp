#include "mspack_cabinet_iteration.h"

#include <mspack.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

namespace tvx {

namespace {

// The bytes written so far against their bound, for the whole iteration.
struct WriteBudget {
  std::uint64_t written = 0;
  std::uint64_t limit = 0;
};

// Where one file's bytes may go. libmspack hands the "filename" given to
// extract() to our open() unread, so a write target is passed as a pointer to
// this and never as a path that libmspack could choose.
struct OutputTarget {
  std::string path;
  std::uint64_t statedSize = 0;
  WriteBudget* budget = nullptr;
  bool failed = false;  // a write refused or a close that lost data
};

struct OpenFile {
  std::FILE* stream = nullptr;
  OutputTarget* target = nullptr;  // null for the cabinet, which is only read
  std::uint64_t written = 0;
};

OpenFile* AsOpenFile(mspack_file* file) {
  return reinterpret_cast<OpenFile*>(file);
}

// Reads open the cabinet by its path; writes open only an OutputTarget.
mspack_file* OpenForMspack(mspack_system*, const char* filename, int mode) {
  OpenFile opened;
  if (mode == MSPACK_SYS_OPEN_READ) {
    opened.stream = std::fopen(filename, "rb");
  } else if (mode == MSPACK_SYS_OPEN_WRITE) {
    opened.target = reinterpret_cast<OutputTarget*>(const_cast<char*>(filename));
    opened.stream = std::fopen(opened.target->path.c_str(), "wb");
  }
  if (opened.stream == nullptr) {
    return nullptr;
  }
  auto* file = new (std::nothrow) OpenFile(opened);
  if (file == nullptr) {
    std::fclose(opened.stream);
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(file);
}

// libmspack may hand back a handle it has closed and nulled: after a folder
// ran out of data blocks, the next file of that folder is read through it. Its
// own file system takes a null handle as a failed operation, and so do these.
void CloseForMspack(mspack_file* handle) {
  OpenFile* file = AsOpenFile(handle);
  if (file == nullptr) {
    return;
  }
  if (std::fclose(file->stream) != 0 && file->target != nullptr) {
    file->target->failed = true;
  }
  delete file;
}

int ReadForMspack(mspack_file* handle, void* buffer, int bytes) {
  OpenFile* file = AsOpenFile(handle);
  if (file == nullptr || bytes < 0) {
    return -1;
  }
  const std::size_t read = std::fread(buffer, 1, static_cast<std::size_t>(bytes), file->stream);
  if (read < static_cast<std::size_t>(bytes) && std::ferror(file->stream)) {
    return -1;
  }
  return static_cast<int>(read);
}

int WriteForMspack(mspack_file* handle, void* buffer, int bytes) {
  OpenFile* file = AsOpenFile(handle);
  OutputTarget* target = file != nullptr ? file->target : nullptr;
  if (target == nullptr || bytes < 0) {
    return -1;
  }
  const auto count = static_cast<std::uint64_t>(bytes);
  WriteBudget& budget = *target->budget;
  if (count > target->statedSize - file->written || count > budget.limit - budget.written) {
    target->failed = true;
    return -1;
  }
  const std::size_t written = std::fwrite(buffer, 1, static_cast<std::size_t>(count), file->stream);
  file->written += written;
  budget.written += written;
  return static_cast<int>(written);
}

int SeekForMspack(mspack_file* handle, off_t offset, int mode) {
  if (handle == nullptr) {
    return -1;
  }
  int origin = SEEK_SET;
  if (mode == MSPACK_SYS_SEEK_CUR) {
    origin = SEEK_CUR;
  } else if (mode == MSPACK_SYS_SEEK_END) {
    origin = SEEK_END;
  }
  return std::fseek(AsOpenFile(handle)->stream, static_cast<long>(offset), origin);
}

off_t TellForMspack(mspack_file* handle) {
  if (handle == nullptr) {
    return -1;
  }
  return static_cast<off_t>(std::ftell(AsOpenFile(handle)->stream));
}

// libmspack's warnings are for a person at a console; the outcome of each file
// reaches the handler as its error code.
void MessageForMspack(mspack_file*, const char*, ...) {}

void* AllocForMspack(mspack_system*, std::size_t bytes) {
  return std::malloc(bytes);
}

void FreeForMspack(void* memory) {
  std::free(memory);
}

void CopyForMspack(void* source, void* destination, std::size_t bytes) {
  std::memcpy(destination, source, bytes);
}

mspack_system MakeSystem() {
  mspack_system system{};
  system.open = OpenForMspack;
  system.close = CloseForMspack;
  system.read = ReadForMspack;
  system.write = WriteForMspack;
  system.seek = SeekForMspack;
  system.tell = TellForMspack;
  system.message = MessageForMspack;
  system.alloc = AllocForMspack;
  system.free = FreeForMspack;
  system.copy = CopyForMspack;
  system.null_ptr = nullptr;
  return system;
}

struct DestroyDecompressor {
  void operator()(mscab_decompressor* decompressor) const {
    mspack_destroy_cab_decompressor(decompressor);
  }
};

std::string TextOrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

// Where libmspack's decoder stands: it goes on from there for a file further
// on in the same folder, and starts the folder over for any other file.
struct DecoderPosition {
  const mscabd_folder* folder = nullptr;
  std::uint64_t offset = 0;
};

}  // namespace

bool MspackCabinetIteration::IterateCabinet(const std::string& cabPath,
                                            CabinetNotificationHandler& handler) {
  // A folder, a device or a pipe is no cabinet, and reading a pipe may never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(cabPath, error)) {
    return false;
  }
  int selfTest = MSPACK_ERR_OK;
  MSPACK_SYS_SELFTEST(selfTest);
  if (selfTest != MSPACK_ERR_OK) {
    return false;
  }

  mspack_system system = MakeSystem();
  std::unique_ptr<mscab_decompressor, DestroyDecompressor> decompressor(
      mspack_create_cab_decompressor(&system));
  if (!decompressor) {
    return false;
  }
  auto closeCabinet = [&decompressor](mscabd_cabinet* cabinet) {
    decompressor->close(decompressor.get(), cabinet);
  };
  std::unique_ptr<mscabd_cabinet, decltype(closeCabinet)> cabinet(
      decompressor->open(decompressor.get(), cabPath.c_str()), closeCabinet);
  if (!cabinet) {
    return false;
  }

  CabinetNotification info = CabinetInfo{cabPath, "", cabinet->set_id, cabinet->set_index};
  if (handler.HandleCabinetNotification(info) != HandlerAnswer::kNoError) {
    return false;
  }
  if ((cabinet->flags & MSCAB_HDR_NEXTCAB) != 0) {
    CabinetNotification next =
        NeedNewCabinet{CabinetInfo{TextOrEmpty(cabinet->nextname), TextOrEmpty(cabinet->nextinfo),
                                   cabinet->set_id, cabinet->set_index + 1u}};
    if (handler.HandleCabinetNotification(next) != HandlerAnswer::kNoError) {
      return false;
    }
  }

  WriteBudget budget{0, maxWrittenBytes_};
  std::uint64_t decoded = 0;
  DecoderPosition position;
  for (mscabd_file* file = cabinet->files; file != nullptr; file = file->next) {
    CabinetNotification notification = FileInCabinet{file->filename, file->length, {}};
    const HandlerAnswer answer = handler.HandleCabinetNotification(notification);
    const auto* named = std::get_if<FileInCabinet>(&notification);
    if (answer == HandlerAnswer::kSkip) {
      continue;
    }
    if (answer != HandlerAnswer::kDoIt || named == nullptr) {
      return false;
    }

    OutputTarget target{named->fullTargetName, file->length, &budget};
    const std::uint64_t end = std::uint64_t{file->offset} + file->length;
    const bool goesOn = position.folder == file->folder && position.offset <= file->offset;
    const std::uint64_t cost = goesOn ? end - position.offset : end;
    int errorCode = MSPACK_ERR_DECRUNCH;
    if (cost <= maxDecodedBytes_ - decoded) {
      decoded += cost;
      errorCode =
          decompressor->extract(decompressor.get(), file, reinterpret_cast<const char*>(&target));
    }
    if (errorCode == MSPACK_ERR_OK && target.failed) {
      errorCode = MSPACK_ERR_WRITE;
    }
    // After a failure the decoder's place is unknown; assume it starts over.
    position = errorCode == MSPACK_ERR_OK ? DecoderPosition{file->folder, end} : DecoderPosition{};

    CabinetNotification outcome = FileExtracted{target.path, errorCode};
    if (handler.HandleCabinetNotification(outcome) != HandlerAnswer::kNoError) {
      return false;
    }
  }
  return true;
}

std::unique_ptr<CabinetIteration> MakeCabinetIteration() {
  return std::make_unique<MspackCabinetIteration>();
}

}  // namespace tvx
