#pragma once
// Runs a parameter study off the GUI thread, so that the windows stay responsive: progress to
// poll, a cancel that stops the study soon (the points done are kept), the result delivered on
// the GUI thread.
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

#include "studies/parameter_study.h"

class QThread;

namespace pylora {

class StudyWorker : public QObject {
    Q_OBJECT
public:
    explicit StudyWorker(QObject* parent = nullptr);
    ~StudyWorker() override;  // cancels a study still running and waits for it

    // Runs the study from `start`, a copy of the window taken when 开始 was pressed.
    void start(CalcForm start, StudyRequest request);
    void cancel() { cancel_ = true; }
    bool isRunning() const { return thread_ != nullptr; }
    std::size_t done() const { return done_; }
    std::size_t total() const { return total_; }

signals:
    // The study ended: done, cancelled (result->cancelled) or refused (`problem` says why).
    void finished(std::shared_ptr<const StudyResult> result, const QString& problem);

private:
    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
};

}  // namespace pylora
