// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>

namespace quillon {

// How many leading bytes of a file's contents are whole records: what lies
// after them is the torn tail of an append that was cut off.
using WholeRecordsLength = std::function<qint64(const QByteArray& contents)>;

// Appends one whole record to a file: a single write of all its bytes, then
// flushed and synced to the disk before the file is closed. A power cut or a
// killed process may lose the record being written, never an earlier one.
// A torn tail left by an earlier append is cut back first, so no half
// record stays in front of this one: to the last whole record when
// `wholeRecords` knows the file's records, else to the last complete line.
// A write that fails (a full disk, a size limit) leaves the file at its
// length before the append. A failure carries the system's reason.
Result<void> AppendRecord(const QString& path, const QByteArray& bytes,
                          const WholeRecordsLength& wholeRecords = {});

// Replaces a file as a whole: written to ".NAME.part" beside it, synced,
// then renamed over the old one and the directory synced, so readers see
// either the old or the new file, also after a power cut. A part file that
// a kill left behind is written over by the next replace.
Result<void> ReplaceFile(const QString& path, const QByteArray& bytes);

// Syncs the directory that holds `path` (its entries: a new or renamed
// file's name). False when the system did not confirm it.
bool SyncDirectoryOf(const QString& path);

// Removes from `directory` what a replace of one of `names` killed before
// its rename left: ".NAME.part", and "NAME.XXXXXX" as Qt's own temporary
// files are named (six letters and digits, mixed). Returns how many.
int RemoveLeftoverTempFiles(const QString& directory, const QStringList& names);

// Removes from `directory` the ".NAME.part" files of a replace that a kill
// stopped, for every NAME that `names` matches whole (the summaries or the
// WOUDC files of any day). One changed within the last minute is left: the
// operator program may be writing it now. Returns how many.
int RemoveLeftoverPartFiles(const QString& directory, const QRegularExpression& names);

// Told before and after each append and each replace (`step` is "append",
// "appended", "replace" or "replaced"): the tests that kill a calibration
// at every file call use it. None in the programs.
using FileStepHook = void (*)(const char* step, const QString& path);
void SetFileStepHook(FileStepHook hook);

// The part file ReplaceFile writes before it renames it over `path`.
QString PartFilePath(const QString& path);

} // namespace quillon
