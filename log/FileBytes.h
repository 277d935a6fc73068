// A file's bytes, held for work that reads them in any order.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Handles.h"

// A file that the program holds alone on a local disk is mapped into memory rather than copied:
// a copy of a large file costs a fresh page of memory for every page of text. Any other is read
// into memory: one that another program holds open could shrink under a mapping, and a failed
// read of a network or removable medium would fault in a mapped page rather than fail a call.
class CFileBytes {
public:
    // The bytes of an open file, read from its start; mapped only when `heldAlone` says that
    // nobody else may write it and it lies on a local hard disk.
    CFileBytes(HANDLE file, bool heldAlone);
    CFileBytes(const CFileBytes&) = delete;
    CFileBytes& operator=(const CFileBytes&) = delete;

    bool loaded() const { return m_error == ERROR_SUCCESS; }
    // The system's reason when the bytes could not be had.
    DWORD error() const { return m_error; }
    // Every byte of the file.
    std::string_view bytes() const { return m_bytes; }

private:
    bool map(HANDLE file, size_t size);
    bool read(HANDLE file, size_t size);

    fw::UniqueKernelHandle m_mapping;
    fw::UniqueView m_view;
    std::string m_copy;
    std::string_view m_bytes;
    DWORD m_error = ERROR_SUCCESS;
};
