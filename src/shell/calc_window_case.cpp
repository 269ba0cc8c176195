// The calculator window's case file: saving, opening, the title that names the file and marks
// changes, the question before a changed window closes, and the crash-recovery copy.
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QShortcut>
#include <QTimer>

#include "files/recovery_store.h"
#include "model/result_freshness.h"
#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/path_text.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A recovery copy is written this long after the last change: typing a number is one change.
constexpr int kRecoveryDelayMs = 1500;

}  // namespace

void CalcWindow::addCaseKeys() {
    savedCase_ = comparableCase();
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, [this] { saveCase(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this), &QShortcut::activated, this,
            [this] { saveCaseAs(); });
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, [this] { emit openCaseRequested(); });
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &CalcWindow::writeRecoveryCopy);
}

// What the engineer did, without what the program computes from it: results a newer program
// computes otherwise are no change of the engineer's.
std::string CalcWindow::comparableCase() const {
    CaseFile file = captureCase(model_);
    file.results.clear();
    file.failure.clear();
    file.dataFiles.clear();
    return caseText(file);
}

bool CalcWindow::isModified() const { return comparableCase() != savedCase_; }

void CalcWindow::caseChanged() {
    showCaseTitle();
    if (!recoveryFolder_.empty()) recoveryTimer_->start();
}

std::filesystem::path CalcWindow::savedIn() const {
    if (!casePath_.empty() || !holdsChapter() || !chapter_.bookFile) return casePath_;
    return chapter_.bookFile();
}

QString CalcWindow::caseTitle() const {
    QString title = qt(model_.definition().title());
    if (!casePath_.empty())
        title += QStringLiteral(" — ") + shownName(casePath_);
    else if (holdsChapter())
        title += QStringLiteral(" — 工程章节「%1」").arg(chapter_.title);
    return title;
}

// What the status line calls the case just opened: its file, or the project chapter it is.
QString CalcWindow::openedName() const {
    if (!casePath_.empty()) return QStringLiteral(" ") + shownName(casePath_);
    if (holdsChapter()) return QStringLiteral("工程章节「%1」").arg(chapter_.title);
    return QStringLiteral("计算");
}

void CalcWindow::holdChapter(Chapter chapter) {
    chapter_ = std::move(chapter);
    showCaseTitle();
}

void CalcWindow::releaseChapter() {
    chapter_ = {};
    showCaseTitle();
}

bool CalcWindow::writeBackChapter() {
    if (!holdsChapter() || !chapter_.writeBack(captureCase(model_))) return false;
    savedCase_ = comparableCase();
    showCaseTitle();
    showStatus(QStringLiteral("已更新工程章节「%1」").arg(chapter_.title), StatusKind::Information);
    writeRecoveryCopy();  // kept in the book now
    return true;
}

void CalcWindow::keepForRecovery(const std::filesystem::path& folder, const std::string& name) {
    recoveryFolder_ = folder;
    recoveryName_ = name.empty() ? model_.definition().formName() : name;
}

void CalcWindow::showCaseTitle() { setWindowTitle(isModified() ? caseTitle() + QStringLiteral(" *") : caseTitle()); }

bool CalcWindow::saveCase() {
    if (casePath_.empty()) return holdsChapter() ? writeBackChapter() : saveCaseAs();
    return saveCaseTo(casePath_);
}

bool CalcWindow::saveCaseAs() {
    if (!questions_.savePath) return false;
    const QString suggested =
        casePath_.empty() ? QDir(lastFolder()).filePath(cleanName(qt(model_.definition().formName())) + QStringLiteral(".pylora"))
                          : qtPathText(casePath_);
    const QString path = questions_.savePath(this, suggested);
    return !path.isEmpty() && saveCaseTo(pathOf(path));
}

bool CalcWindow::saveCaseTo(const std::filesystem::path& path) {
    try {
        pylora::saveCase(captureCase(model_), path);
    } catch (const CaseFileError& e) {
        showStatus(QString::fromUtf8(e.what()), StatusKind::Problem);
        if (questions_.tell) questions_.tell(this, QString::fromUtf8(e.what()));
        return false;
    }
    casePath_ = path;
    savedCase_ = comparableCase();
    rememberFolder(qtPathText(path));
    showCaseTitle();
    showStatus(QStringLiteral("已保存到 ") + shownName(path), StatusKind::Information);
    writeRecoveryCopy();  // saved: no copy needed any more
    emit caseSaved(qtPathText(path));
    return true;
}

void CalcWindow::openCase(const CaseFile& file, const std::filesystem::path& path, bool recovered) {
    caseGround_ = std::make_unique<CaseGroundData>(file, path);
    caseGround_->useIn(model_);
    applyCaseStart(model_, file);
    syncFromForm();
    for (const std::string& step : file.steps) {
        press(step);
        if (model_.record().failure) break;
    }
    model_.noteDifferencesFromCase(caseDifferences(model_, file));
    greyResultsNotComputed();
    casePath_ = path;
    savedCase_ = recovered ? std::string() : comparableCase();
    showCaseTitle();
    const auto& differences = model_.differencesFromCase();
    if (!differences.empty()) {
        QString text = QStringLiteral("本程序重新计算的结果与计算文件中保存的不同：");
        for (std::size_t i = 0; i < differences.size(); ++i) text += (i ? "；" : "") + qt(differences[i]);
        showStatus(text, StatusKind::Problem);
    } else if (!model_.record().ran) {
        // Saved with inputs changed after the last run: nothing to press, nothing recomputed.
        showStatus((recovered ? QStringLiteral("已恢复未保存的输入") : QStringLiteral("已打开") + openedName()) +
                       QStringLiteral("：这些输入尚未计算，灰色显示的结果不是它们的计算结果，请重新计算"),
                   StatusKind::Warning);
    } else if (!model_.record().failure) {
        showStatus(recovered ? QStringLiteral("已恢复未保存的输入")
                             : QStringLiteral("已打开%1，重新计算的结果与保存时相同").arg(openedName()),
                   StatusKind::Information);
    }
    if (recovered) caseChanged();
}

// Results no run of this window wrote are the texts it was created with: they belong to the
// default inputs, not to a case's or an edited input. (What a run wrote the window follows step
// by step.)
void CalcWindow::greyResultsNotComputed() {
    for (const std::string& name : staleResults(model_)) {
        if (writtenBy_.count(name) || !stale_.insert(name).second) continue;
        if (auto it = widgets_.find(name); it != widgets_.end() && model_.form().has(name))
            syncControl(model_.form().control(name), it->second);
    }
    showSketchFreshness(true);
}

void CalcWindow::writeRecoveryCopy() {
    if (recoveryFolder_.empty()) return;
    const std::filesystem::path copy = recoveryFile(recoveryFolder_, recoveryName_);
    std::error_code error;
    if (!isModified()) {
        std::filesystem::remove(copy, error);
        return;
    }
    CaseFile file = captureCase(model_);
    file.caseFile = casePath_.string();
    try {
        std::filesystem::create_directories(recoveryFolder_, error);
        writeFileWhole(copy, caseText(file));
    } catch (const CaseFileError&) {
        // A full disk must not stop the calculation; the copy is tried again at the next change.
    }
}

void CalcWindow::closeWithoutAsking() {
    closeAsked_ = true;
    close();
}

void CalcWindow::closeEvent(QCloseEvent* event) {
    if (!closeAsked_ && questions_.saveBeforeClosing && isModified()) {
        switch (questions_.saveBeforeClosing(this, caseTitle())) {
            case CloseAnswer::Cancel:
                event->ignore();
                return;
            case CloseAnswer::Save:
                if (!saveCase()) {
                    event->ignore();
                    return;
                }
                break;
            case CloseAnswer::Discard:
                break;
        }
    }
    closeAsked_ = true;
    recoveryTimer_->stop();
    if (!recoveryFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(recoveryFile(recoveryFolder_, recoveryName_), ignored);
    }
    QWidget::closeEvent(event);
}

}  // namespace pylora
