// Shows flat buttons in each of their looks, at the two usual sizes, and a
// gradient strip, for looking at them on a real display:
//   xpbutton_viewer            the window; hover and press with the mouse
// Row by row: an ordinary button, one holding the focus, a disabled one, and
// one with a wrapped caption; hover and press any of them to see those looks.
#include "controls/GradientRect.h"
#include "controls/XPButton.h"
#include "platform/SysColors.h"
#include "platform/ui/BackedWidget.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget form;
    form.setWindowTitle(QStringLiteral("XPButton"));
    form.setGeometry(0, 0, 420, 300);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, platform::ToQColor(platform::GetSysColor(platform::COLOR_BTNFACE)));
    form.setPalette(pal);
    form.setAutoFillBackground(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    form.setFont(font);

    struct Sample {
        const char* caption;
        QSize size;
        QPoint at;
        bool enabled;
    } samples[] = {
        {"&Save", {75, 23}, {10, 10}, true},
        {"Verify", {75, 23}, {100, 10}, true},
        {"Cancel", {75, 23}, {190, 10}, false},
        {"&Save Changes", {120, 40}, {10, 50}, true},
        {"Done!", {120, 40}, {140, 50}, true},
        {"Create New Note", {120, 40}, {270, 50}, false},
        {"Save these changes now", {75, 40}, {10, 100}, true},
        {"Fish && &Chips", {120, 23}, {100, 100}, true},
    };
    XPButton* focused = nullptr;
    for (const Sample& s : samples) {
        auto* b = new XPButton(&form);
        b->setGeometry(QRect(s.at, s.size));
        b->setCaption(QString::fromLatin1(s.caption));
        b->setForeHover(platform::RGB(0, 0, 160));
        b->setEnabled(s.enabled);
        if (QString::fromLatin1(s.caption) == QLatin1String("Verify") ||
            QString::fromLatin1(s.caption) == QLatin1String("Done!"))
            focused = b;
    }

    auto* status = new QLabel(&form);
    status->setGeometry(10, 150, 400, 20);
    for (XPButton* b : form.findChildren<XPButton*>())
        QObject::connect(b, &XPButton::Click,
                         [status, b] { status->setText(QStringLiteral("Click: ") + b->Caption()); });

    auto* strip = new platform::BackedWidget(&form);
    strip->setGeometry(10, 180, 400, 40);
    auto* strip2 = new platform::BackedWidget(&form);
    strip2->setGeometry(10, 230, 400, 40);
    form.show();
    if (focused)
        focused->setFocus();
    QTimer::singleShot(0, [&] {
        clsGradient g;
        g.setColor1(0x800000);
        g.setColor2(0xFFFFFF);
        g.setAngle(0);
        g.Draw(strip);
        clsGradient defaults;
        defaults.Draw(strip2);
    });
    return app.exec();
}
