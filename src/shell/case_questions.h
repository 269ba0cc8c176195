#pragma once
// What the program asks and tells about case files: where to save, what to open, whether to
// save a changed window before it closes, whether to restore after a crash. Passed in, so that
// tests answer instead of a dialog; an unset question asks nothing (no file, do not save, do
// not restore) and an unset tell leaves the message in the window's status line.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace pylora {

enum class CloseAnswer { Save, Discard, Cancel };

struct CaseQuestions {
    std::function<QString(QWidget* parent, const QString& suggested)> savePath;  // empty: cancelled
    std::function<QString(QWidget* parent)> openPath;                          // empty: cancelled
    std::function<CloseAnswer(QWidget* parent, const QString& title)> saveBeforeClosing;
    // What a crash left unsaved, each named: "输气管道壁厚计算 — 甲.pylora", "工程「穿越.pylora-project」".
    std::function<bool(QWidget* parent, const QStringList& unsaved)> restoreAfterCrash;
    std::function<void(QWidget* parent, const QString& message)> tell;
    // The project book (.pylora-project) and its export as one 计算书 (.pdf or .docx).
    std::function<QString(QWidget* parent, const QString& suggested)> projectSavePath;  // empty: cancelled
    std::function<QString(QWidget* parent)> projectOpenPath;                          // empty: cancelled
    std::function<QString(QWidget* parent, const QString& suggested)> bookExportPath;   // empty: cancelled
    std::function<CloseAnswer(QWidget* parent, const QString& project)> saveProjectBeforeClosing;
    // Before the program ends: one question about every unsaved calculation and the project.
    std::function<CloseAnswer(QWidget* parent, const QStringList& unsaved)> saveAllBeforeQuitting;
};

// The program's dialogs: file choosers filtered to .pylora, message boxes in Chinese.
CaseQuestions dialogQuestions();

}  // namespace pylora
