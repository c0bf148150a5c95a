#include "app/frmEntry.h"
#include "support/Find.h"
#include "support/Seams.h"
#include "ui/PictureLabel.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"
#include "ui/frmAbout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <QtMath>
#include <memory>

using quiltest::child;

namespace {

// WCAG relative luminance of one colour, 0 for black to 1 for white.
qreal luminance(QRgb rgb) {
    auto channel = [](int value) {
        const qreal c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

// The darkest and the lightest luminance of the picture within area (logical pixels).
std::pair<qreal, qreal> luminanceSpan(const QPixmap& picture, QRect area) {
    const QImage image = picture.toImage();
    const qreal ratio = picture.devicePixelRatio();
    const QRect pixels = QRect(area.topLeft() * ratio, area.size() * ratio) & image.rect();
    qreal darkest = 1, lightest = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const qreal l = luminance(image.pixel(x, y));
            darkest = qMin(darkest, l);
            lightest = qMax(lightest, l);
        }
    return {darkest, lightest};
}

// The contrast that normal-sized text needs to be read comfortably.
constexpr qreal kReadable = 4.5;

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void picturesFillTheirControls_data();
    void picturesFillTheirControls();
    void agentBackgroundFillsBothAgentWindows();
    void whiteLabelsAreReadableOnTheirPictures_data();
    void whiteLabelsAreReadableOnTheirPictures();
    void agentLabelsAreReadableOnTheirBackground_data();
    void agentLabelsAreReadableOnTheirBackground();
    void pictureLabelPaintsAsALabel_data();
    void pictureLabelPaintsAsALabel();

private:
    QWidget* window(const QString& name);
    std::unique_ptr<quiltest::Seams> seams;
    std::unique_ptr<frmEntry> main;
    std::unique_ptr<frmAbout> about;
};

void PicturesTest::init() {
    seams = std::make_unique<quiltest::Seams>();
    main = std::make_unique<frmEntry>();
    about = std::make_unique<frmAbout>();
}

void PicturesTest::cleanup() {
    about.reset();
    main.reset();
    seams.reset();
}

QWidget* PicturesTest::window(const QString& name) {
    return name == QLatin1String("frmAbout") ? static_cast<QWidget*>(about.get()) : main.get();
}

void PicturesTest::picturesFillTheirControls_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::newRow("main window header") << "frmEntry"
                                        << "Picture1";
    QTest::newRow("main window idle picture") << "frmEntry"
                                              << "Picture5";
    QTest::newRow("About background") << "frmAbout"
                                      << "Image1";
}

void PicturesTest::picturesFillTheirControls() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    auto* picture = child<QLabel>(this->window(window), qPrintable(control));
    const QPixmap pixmap = picture->pixmap();
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), picture->size());
    // Opaque all over: the window paints nothing beneath a picture.
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                QFAIL(qPrintable(QStringLiteral("see-through at %1, %2").arg(x).arg(y)));
}

// The sign-in and registration windows call it with the size of their Image1.
void PicturesTest::agentBackgroundFillsBothAgentWindows() {
    for (const QSize size : {twipsSize(8760, 2295), twipsSize(8760, 3015)}) {
        const QPixmap background = pictures::agentBackground(size);
        QVERIFY(!background.isNull());
        QCOMPARE(background.deviceIndependentSize().toSize(), size);
    }
}

void PicturesTest::whiteLabelsAreReadableOnTheirPictures_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("label");
    QTest::newRow("clock") << "frmEntry"
                           << "Picture1"
                           << "Label24";
    QTest::newRow("usage time") << "frmEntry"
                                << "Picture1"
                                << "lblss";
    for (const char* label : {"Label5", "Label6", "Label1", "Label2", "Label3", "Label4"})
        QTest::newRow(label) << "frmAbout"
                             << "Image1" << label;
}

// The whole text is shown, and white on the lightest part of the picture behind it still
// stands out.
void PicturesTest::whiteLabelsAreReadableOnTheirPictures() {
    QFETCH(QString, window);
    QFETCH(QString, picture);
    QFETCH(QString, label);
    QWidget* top = this->window(window);
    auto* behind = child<QLabel>(top, qPrintable(picture));
    auto* text = child<QLabel>(top, qPrintable(label));
    QVERIFY(!text->text().isEmpty());
    QVERIFY2(QFontMetrics(text->font()).horizontalAdvance(text->text()) <= text->width(),
             qPrintable(text->text() + QStringLiteral(" is cut off")));

    const QRect area(behind->mapFrom(top, text->mapTo(top, QPoint(0, 0))), text->size());
    const qreal lightest = luminanceSpan(behind->pixmap(), area).second;
    const qreal contrast = 1.05 / (lightest + 0.05);
    QVERIFY2(contrast >= kReadable, qPrintable(QString::number(contrast)));
}

void PicturesTest::agentLabelsAreReadableOnTheirBackground_data() {
    // The registration window's captions in dark text, over the picture it shares with the
    // sign-in window.
    QTest::addColumn<QRect>("area");
    QTest::newRow("LAST NAME:") << twipsRect(120, 120, 1695, 375);
    QTest::newRow("first note") << twipsRect(2160, 480, 2655, 495);
    QTest::newRow("FIRST NAME:") << twipsRect(120, 960, 1695, 375);
    QTest::newRow("second note") << twipsRect(2160, 1320, 2655, 495);
    QTest::newRow("MIDDLE NAME:") << twipsRect(120, 1680, 1695, 375);
}

void PicturesTest::agentLabelsAreReadableOnTheirBackground() {
    QFETCH(QRect, area);
    const QPixmap registration = pictures::agentBackground(twipsSize(8760, 3015));
    const qreal darkest = luminanceSpan(registration, area).first;
    const qreal contrast = (darkest + 0.05) / 0.05;
    QVERIFY2(contrast >= kReadable, qPrintable(QString::number(contrast)));
}

void PicturesTest::pictureLabelPaintsAsALabel_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("change");
    QTest::newRow("enabled") << true << "";
    QTest::newRow("disabled") << false << "";
    QTest::newRow("disabled, then another picture") << false << "picture";
    QTest::newRow("disabled, then another palette") << false << "palette";
    QTest::newRow("disabled, then enabled") << false << "enabled";
}

// The main window's pictures keep their greyed look while disabled; a change after the first
// paint shows as it does on a label.
void PicturesTest::pictureLabelPaintsAsALabel() {
    QFETCH(bool, enabled);
    QFETCH(QString, change);
    const QSize size(120, 40);
    ui::PictureLabel picture;
    QLabel label;
    for (QLabel* each : {static_cast<QLabel*>(&picture), &label}) {
        each->resize(size);
        each->setPixmap(pictures::header(size));
        each->setEnabled(enabled);
    }
    const QImage before = picture.grab().toImage();
    QCOMPARE(before, label.grab().toImage());
    if (change.isEmpty())
        return;
    for (QLabel* each : {static_cast<QLabel*>(&picture), &label}) {
        if (change == QLatin1String("picture")) {
            each->setPixmap(pictures::idle(size));
        } else if (change == QLatin1String("palette")) {
            QPalette colours = each->palette();
            colours.setColor(QPalette::Disabled, QPalette::Window, QColor(0x80, 0x20, 0x20));
            each->setPalette(colours);
        } else {
            each->setEnabled(true);
        }
    }
    const QImage after = picture.grab().toImage();
    QVERIFY2(after != before, "the change shows on a label");
    QCOMPARE(after, label.grab().toImage());
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
