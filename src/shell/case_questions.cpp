#include "shell/case_questions.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace pylora {

CaseQuestions dialogQuestions() {
    const QString filter = QStringLiteral("Pylora 计算文件 (*.pylora)");
    CaseQuestions questions;
    questions.savePath = [filter](QWidget* parent, const QString& suggested) {
        QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("保存计算"), suggested, filter);
        if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pylora"))) path += QStringLiteral(".pylora");
        return path;
    };
    questions.openPath = [filter](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开计算"), {}, filter);
    };
    questions.saveBeforeClosing = [](QWidget* parent, const QString& title) {
        const auto answer = QMessageBox::question(
            parent, QStringLiteral("保存计算"), QStringLiteral("计算「%1」已修改，是否保存？").arg(title),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        return answer == QMessageBox::Save ? CloseAnswer::Save
               : answer == QMessageBox::Discard ? CloseAnswer::Discard
                                                : CloseAnswer::Cancel;
    };
    questions.restoreAfterCrash = [](QWidget* parent, const QStringList& unsaved) {
        return QMessageBox::question(parent, QStringLiteral("恢复计算"),
                                     QStringLiteral("Pylora 上次未正常退出，以下未保存的内容可以恢复：\n\n%1\n\n是否恢复？")
                                         .arg(unsaved.join('\n')),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    };
    questions.tell = [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QStringLiteral("计算文件"), message);
    };
    const QString projectFilter = QStringLiteral("Pylora 工程文件 (*.pylora-project)");
    questions.projectSavePath = [projectFilter](QWidget* parent, const QString& suggested) {
        QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("保存工程"), suggested, projectFilter);
        if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pylora-project"))) path += QStringLiteral(".pylora-project");
        return path;
    };
    questions.projectOpenPath = [projectFilter](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开工程"), {}, projectFilter);
    };
    questions.bookExportPath = [](QWidget* parent, const QString& suggested) {
        QString chosenFilter;
        QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("导出工程计算书"), suggested,
                                                    QStringLiteral("PDF 文件 (*.pdf);;Word 文档 (*.docx)"), &chosenFilter);
        const QString extension = chosenFilter.contains(QStringLiteral("docx")) ? QStringLiteral(".docx") : QStringLiteral(".pdf");
        if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) &&
            !path.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive))
            path += extension;
        return path;
    };
    questions.saveProjectBeforeClosing = [](QWidget* parent, const QString& project) {
        const auto answer = QMessageBox::question(
            parent, QStringLiteral("保存工程"), QStringLiteral("工程「%1」已修改，是否保存？").arg(project),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        return answer == QMessageBox::Save ? CloseAnswer::Save
               : answer == QMessageBox::Discard ? CloseAnswer::Discard
                                                : CloseAnswer::Cancel;
    };
    questions.saveAllBeforeQuitting = [](QWidget* parent, const QStringList& unsaved) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("退出 Pylora"),
                        QStringLiteral("以下计算尚未保存：\n\n%1\n\n是否全部保存？").arg(unsaved.join('\n')),
                        QMessageBox::NoButton, parent);
        QPushButton* save = box.addButton(QStringLiteral("保存全部"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.exec();
        return box.clickedButton() == save      ? CloseAnswer::Save
               : box.clickedButton() == discard ? CloseAnswer::Discard
                                                : CloseAnswer::Cancel;
    };
    return questions;
}

}  // namespace pylora
