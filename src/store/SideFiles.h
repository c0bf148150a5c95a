#pragma once

#include "store/FileHeader.h"

#include <QStringList>
#include <functional>

namespace store {

// The files the engine would apply to the database at path when it opens or reads it: a
// write-ahead log, or a journal left by a transaction that never finished. Each that cannot be
// shown to belong to this file, in its present state, is one line; none, an empty list.
//
// A journal belongs when its copy of the first page carries this file's ids and the change
// counter that the file had when its transaction began (or the one after, if the file was
// already partly written). A write-ahead log carries nothing that ties it to a file, so one
// is never taken.
// A journal is judged only while writerActive says no write is under way: the journal of a
// live write is still being written.
// Whether a journal that the engine would roll back lies beside the file and belongs to it.
bool ownJournalBeside(const QString& path, const FileHeader& header);

QStringList sideFileFaults(const QString& path, const FileHeader& header,
                           const std::function<bool()>& writerActive);

} // namespace store
