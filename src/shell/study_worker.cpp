#include "shell/study_worker.h"

#include <QThread>

namespace pylora {

StudyWorker::StudyWorker(QObject* parent) : QObject(parent) {}

StudyWorker::~StudyWorker() {
    if (!thread_) return;
    cancel_ = true;
    thread_->wait();
    delete thread_;
}

void StudyWorker::start(CalcForm start, StudyRequest request) {
    if (thread_) return;
    cancel_ = false;
    done_ = 0;
    total_ = 0;
    auto window = std::make_shared<CalcForm>(std::move(start));
    auto asked = std::make_shared<StudyRequest>(std::move(request));
    thread_ = QThread::create([this, window, asked] {
        auto result = std::make_shared<StudyResult>();
        QString problem;
        StudyOptions options;
        options.cancel = &cancel_;
        options.onProgress = [this](std::size_t done, std::size_t total) {
            total_ = total;
            // Several threads report; the count only grows.
            for (std::size_t seen = done_; done > seen && !done_.compare_exchange_weak(seen, done);) {
            }
        };
        try {
            *result = runStudy(*window, *asked, options);
        } catch (const std::exception& fault) {
            problem = QString::fromStdString(fault.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, result, problem] {
                thread_->wait();
                delete thread_;
                thread_ = nullptr;
                emit finished(result, problem);
            },
            Qt::QueuedConnection);
    });
    thread_->start();
}

}  // namespace pylora
