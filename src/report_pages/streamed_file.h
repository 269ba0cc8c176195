#pragma once
// The file a PDF writer streams its pages into as each is finished, so that a long project book
// is never held whole in memory; written whole or not at all (files/atomic_file.h): the earlier
// file stays when any part of it cannot be written.
#include <QIODevice>
#include <QString>
#include <string>

#include "files/atomic_file.h"

namespace pylora {

class StreamedFile : public QIODevice {
public:
    explicit StreamedFile(const QString& path);  // open for writing
    // Puts the file in the target's place: an empty text when it is there, else why not, in the
    // engineer's words (无法写入文件 …).
    QString commit();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushPending();

    QString path_;
    AtomicFileWriter file_;
    std::string pending_;  // written to the disk a megabyte at a time, not object by object
};

// 无法写入文件 PATH：the reason, for a file that could not be written.
QString writeFailureText(const QString& path, const WriteFailure& failure);

}  // namespace pylora
