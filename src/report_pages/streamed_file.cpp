#include "report_pages/streamed_file.h"

namespace pylora {
namespace {

constexpr std::size_t kWriteSize = 1 << 20;

}  // namespace

StreamedFile::StreamedFile(const QString& path) : path_(path), file_(path.toStdString()) {
    pending_.reserve(kWriteSize);
    open(QIODevice::WriteOnly);
}

qint64 StreamedFile::writeData(const char* data, qint64 size) {
    pending_.append(data, static_cast<std::size_t>(size));
    if (pending_.size() >= kWriteSize && !flushPending()) return -1;
    return size;
}

bool StreamedFile::flushPending() {
    const bool written = file_.write(pending_);
    pending_.clear();
    return written;
}

QString StreamedFile::commit() {
    flushPending();
    close();
    if (const auto failure = file_.commit()) return writeFailureText(path_, *failure);
    return {};
}

QString writeFailureText(const QString& path, const WriteFailure& failure) {
    return QStringLiteral("无法写入文件 %1：%2").arg(path, QString::fromStdString(failure.reasonInWords()));
}

}  // namespace pylora
