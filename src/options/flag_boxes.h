#pragma once
// Check boxes and radio buttons that hold a settings flag: 0 off, anything
// else on; read back as 0 or 1.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace options {

void ShowFlag(HWND dialog, int boxId, int32_t flag);
int32_t ReadFlag(HWND dialog, int boxId);

// A box bound to a flag field of a settings record.
template <class Record>
struct FlagBox {
    int boxId;
    int32_t Record::*field;
};

template <class Record, size_t N>
void ShowFlags(HWND dialog, const FlagBox<Record> (&boxes)[N], const Record& record) {
    for (const FlagBox<Record>& box : boxes) ShowFlag(dialog, box.boxId, record.*box.field);
}

template <class Record, size_t N>
void ReadFlags(HWND dialog, const FlagBox<Record> (&boxes)[N], Record& record) {
    for (const FlagBox<Record>& box : boxes) record.*box.field = ReadFlag(dialog, box.boxId);
}

}  // namespace options
