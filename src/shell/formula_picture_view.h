#pragma once
// A window's formula picture (an SVG drawn from the formula's tree). Its text is laid out and
// drawn once a program run, to a bitmap at the screen's pixel density, and every later opening
// of the window shows that bitmap: drawing the formula's letters anew took most of an opening.
// A printed page still draws it as vectors.
#include <QWidget>
#include <string>

namespace pylora {

class FormulaPictureView : public QWidget {
public:
    explicit FormulaPictureView(const std::string& svg);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QByteArray svg_;
    QString cacheKey_;  // the SVG's text: pictures alike share one bitmap
};

}  // namespace pylora
