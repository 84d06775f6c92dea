// skin-gallery: renders every skin control in its states and every skin picture to PNG
// files at a given UI scale, to look at the skin without the viewer.
//
//   skin-gallery [--scale S] [--out PREFIX] [--max-width W]
//       writes PREFIX-controls.png, PREFIX-pictures.png and PREFIX-window.png
//
// Runs without a display with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <vector>

#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "skin/logo_dlg.h"
#include "skin/msg_dlg.h"
#include "skin/resource_image.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"
#include "skin/skin_dialog.h"
#include "skin/skin_list_ctrl.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_resources.h"
#include "skin/skin_slider.h"
#include "skin/skin_style.h"
#include "skin/ui_fonts.h"

using namespace quorva;

namespace {

int S(double design) {
    return Scaled(design, UiScale());
}

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

// A labelled row of the controls sheet.
QLabel* Caption(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(UiFont(kFontF10));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, SkinColors::kTextDim);
    label->setPalette(pal);
    label->move(S(10), y);
    label->adjustSize();
    return label;
}

// Draws the four frames of a strip side by side, as the states would show them.
class StripSheet : public QWidget {
  public:
    StripSheet(QWidget* parent, std::vector<int> ids, QSize design)
        : QWidget(parent), ids_(std::move(ids)), design_(design) {
        const int w = S(design.width());
        resize(4 * (w + S(8)) * 1, static_cast<int>(ids_.size()) * (S(design.height()) + S(6)));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QSize frame(S(design_.width()), S(design_.height()));
        int y = 0;
        for (int id : ids_) {
            const ImageStrip strip = ImageStrip::FromResource(id, frame);
            for (int i = 0; i < 4; ++i)
                strip.Draw(painter, QPoint(i * (frame.width() + S(8)), y), i);
            y += frame.height() + S(6);
        }
    }

  private:
    std::vector<int> ids_;
    QSize design_;
};

QImage ControlsSheet() {
    const double s = UiScale();
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, SkinColors::kWindow);
    sheet.setPalette(pal);
    sheet.resize(S(1120), S(760));

    int y = S(8);
    Caption(&sheet, QStringLiteral("Bottom buttons: normal, disabled, active, checked, pressed"),
            y);
    y += S(20);
    const int bottom[] = {IDB_PLAY_STOP,  IDB_PLAY_PREV,   IDB_PLAY,         IDB_PLAY_SLOW,
                          IDB_PLAY_FAST,  IDB_PLAY_NEXT,   IDB_SNAPSHOT,     IDB_SAVE_JOINED,
                          IDB_ZOOM_MODE,  IDB_OPEN_SOURCE, IDB_DELETE_FILES, IDB_SETTINGS,
                          IDB_EXPORT_CSV, IDB_MAP_TOGGLE,  IDB_PAUSE};
    for (int row = 0; row < 5; ++row) {
        for (int i = 0; i < 15; ++i) {
            auto* button = new CSkinButton(&sheet);
            button->Create(QRect(S(20) + i * (S(32) + S(15)), y, S(32), S(32)), 38000 + i);
            button->SetImage(bottom[i], QSize(S(32), S(32)));
            if (row == 1) button->setEnabled(false);
            if (row == 2) button->SetActive(true);
            if (row == 3) button->SetCheck(true);
            if (row == 4) button->setDown(true);
        }
        y += S(38);
    }

    Caption(&sheet, QStringLiteral("Caption buttons (normal / hover / pressed / disabled)"), y);
    y += S(20);
    auto* captions = new StripSheet(&sheet, {IDB_WND_MAXIMIZE, IDB_WND_RESTORE, IDB_WND_MINIMIZE},
                                    QSize(26, 18));
    captions->move(S(20), y);
    auto* close = new StripSheet(&sheet, {IDB_WND_CLOSE}, QSize(46, 18));
    close->move(S(200), y);
    auto* dialogClose = new StripSheet(&sheet, {IDB_DIALOG_CLOSE}, QSize(13, 12));
    dialogClose->move(S(420), y);
    auto* thumbnail = new CSkinButton(&sheet);
    thumbnail->Create(QRect(S(520), y, S(150), S(18)), 17);
    thumbnail->SetImage(IDB_THUMBNAIL_TOGGLE, QSize(S(150), S(18)));
    thumbnail->setText(Ui(171));
    auto* thumbnailOn = new CSkinButton(&sheet);
    thumbnailOn->Create(QRect(S(690), y, S(150), S(18)), 17);
    thumbnailOn->SetImage(IDB_THUMBNAIL_TOGGLE, QSize(S(150), S(18)));
    thumbnailOn->setText(Ui(172));
    thumbnailOn->SetCheck(true);
    auto* thumbnailOff = new CSkinButton(&sheet);
    thumbnailOff->Create(QRect(S(860), y, S(150), S(18)), 17);
    thumbnailOff->SetImage(IDB_THUMBNAIL_TOGGLE, QSize(S(150), S(18)));
    thumbnailOff->setText(Ui(171));
    thumbnailOff->setEnabled(false);
    y += S(80);

    Caption(&sheet, QStringLiteral("Check buttons and option rows"), y);
    y += S(20);
    const int labels[] = {133, 131, 130};
    for (int i = 0; i < 3; ++i) {
        auto* option = new CSkinCheckButton(&sheet);
        option->Create(QRect(S(30), y + i * S(30), S(120), S(26)), 39000 + i);
        option->SetImage(IDB_OPTION_MARK);
        option->setText(Ui(labels[i]));
        option->SetCheck(i == 1);
        QPalette white = option->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        option->setPalette(white);
    }
    const int filters[] = {152, 156, 155, 157, 158};
    for (int i = 0; i < 5; ++i) {
        auto* check = new CSkinCheckButton(&sheet);
        check->Create(QRect(S(200) + i * S(100), y, S(95), S(26)), 38700 + i);
        check->SetImage(IDB_CHECK_MARK);
        check->setText(Ui(filters[i]));
        check->SetCheck(i % 2 == 0);
        check->setEnabled(i != 4);
        QPalette white = check->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        check->setPalette(white);
    }
    auto* list = new CSkinListCtrl(&sheet);
    list->setGeometry(S(200), y + S(30), S(390), S(90));
    list->setHeaderLabels({Ui(46), Ui(47)});
    list->setColumnWidth(0, S(270));
    list->SetStateImages(IDB_CHECK_MARK);
    list->AddRow({QStringLiteral("NO__-240131-083015-000123M.MOV"), QStringLiteral("101 MB")});
    list->AddRow({QStringLiteral("GA__-240131-083115-000124M.MOV"), QStringLiteral("98 MB")});
    list->AddRow({QStringLiteral("NO__-240131-083215-000125M.MOV"), QStringLiteral("100 MB")});
    list->SetChecked(1, true);
    list->SetStateOf(2, CSkinListCtrl::kStateHover);
    y += S(130);

    Caption(&sheet, QStringLiteral("Sliders and progress bars"), y);
    y += S(22);
    auto* seek = new CSkinSliderCtrl(&sheet);
    seek->Create(38100, &sheet);
    seek->setGeometry(S(20), y, S(656), S(10));
    seek->SetImages(IDB_SEEK_PLAYED, IDB_SEEK_REMAINING, IDB_SEEK_THUMB, IDB_SEEK_THUMB_PRESSED);
    seek->SetRange(0, 899);
    seek->SetPos(300);
    auto* volume = new CSkinSliderCtrl(&sheet);
    volume->Create(38101, &sheet);
    volume->setGeometry(S(720), y - S(5), S(100), S(20));
    volume->SetImages(IDB_VOLUME_PLAYED, IDB_VOLUME_REMAINING, IDB_VOLUME_THUMB,
                      IDB_VOLUME_THUMB_PRESSED);
    volume->SetRange(0, 65535);
    volume->SetPos(45000);
    y += S(24);
    const int positions[] = {0, 45, 100};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new CSkinProgressBarCtrl(&sheet);
        bar->setGeometry(S(20) + i * S(340), y, S(320), S(22));
        bar->SetRange(0, 100);
        bar->SetPos(positions[i]);
    }
    y += S(36);
    sheet.resize(S(1120), y + S(10));
    sheet.show();
    QImage controls = sheet.grab().toImage();

    // Dialogs: a skin dialog with its close button and the two message kinds.
    CSkinDialog dialog;
    dialog.setWindowTitle(Ui(132));
    dialog.resize(S(540), S(120));
    dialog.CreateCloseButton(17);
    dialog.show();
    CMsgDlg message(nullptr, QString::fromStdString(UiText(95)), QStringLiteral("ERROR"), 0);
    message.show();
    CMsgDlg question(nullptr, QString::fromStdString(UiText(90) + "\n" + UiText(103)), Ui(104), 1);
    question.show();
    const QImage dialogs[] = {dialog.grab().toImage(), message.grab().toImage(),
                              question.grab().toImage()};

    int height = controls.height() + S(10);
    int width = controls.width();
    for (const QImage& d : dialogs) {
        height += d.height() + S(10);
        width = std::max(width, d.width() + S(20));
    }
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(SkinColors::kWindow);
    QPainter painter(&out);
    painter.drawImage(0, 0, controls);
    int dy = controls.height() + S(10);
    for (const QImage& d : dialogs) {
        painter.drawImage(S(20), dy, d);
        dy += d.height() + S(10);
    }
    (void)s;
    return out;
}

QImage PicturesSheet(int maxDesignWidth) {
    CResourceImage images;
    images.Load();
    const int margin = S(10);
    const int columnWidth = S(470);
    // Two columns of every picture at its design size times s, with its id and file.
    struct Placed {
        const SkinResource* resource;
        QRect place;
    };
    std::vector<Placed> placed;
    int x = margin;
    int y = margin;
    int rowHeight = 0;
    int width = 2 * columnWidth + 3 * margin;
    for (const SkinResource& r : SkinResources()) {
        if (maxDesignWidth > 0 && r.width > maxDesignWidth) continue;
        QSize size(S(r.width), S(r.height));
        if (r.id == IDI_APP) size = QSize(S(64), S(64));
        // Large pictures are shown smaller here; the logo panels follow at full size.
        if (size.width() > S(300)) size = size.scaled(S(300), S(300), Qt::KeepAspectRatio);
        const int boxWidth = std::max(size.width(), S(140));
        if (x + boxWidth > width - margin) {
            x = margin;
            y += rowHeight + S(22);
            rowHeight = 0;
        }
        placed.push_back({&r, QRect(QPoint(x, y + S(16)), size)});
        x += boxWidth + margin;
        rowHeight = std::max(rowHeight, size.height() + S(16));
    }
    y += rowHeight + S(22);

    QWidget logoHost;
    logoHost.resize(S(452) * 2 + margin, S(348));
    CLogoDlg logo(&logoHost, &images);
    logo.setGeometry(0, 0, S(452), S(348));
    logo.SetLogoOnly(1);
    CLogoDlg offline(&logoHost, &images);
    offline.setGeometry(S(452) + margin, 0, S(452), S(348));
    offline.SetLogoOnly(0);
    logoHost.show();
    const QImage logos = maxDesignWidth > 0 ? QImage() : logoHost.grab().toImage();

    QImage out(width, y + logos.height() + margin, QImage::Format_RGB32);
    out.fill(QColor(0x30, 0x33, 0x38));
    QPainter painter(&out);
    painter.setFont(UiFont(kFontF9));
    for (const Placed& p : placed) {
        painter.setPen(Qt::white);
        painter.drawText(QPoint(p.place.left(), p.place.top() - S(4)),
                         QStringLiteral("%1 %2")
                             .arg(p.resource->id)
                             .arg(QString::fromLatin1(p.resource->file).chopped(4)));
        // A checkerboard behind each picture shows what is transparent.
        for (int cy = 0; cy < p.place.height(); cy += S(8))
            for (int cx = 0; cx < p.place.width(); cx += S(8))
                painter.fillRect(
                    QRect(p.place.left() + cx, p.place.top() + cy, S(8), S(8)) & p.place,
                    ((cx + cy) / S(8)) % 2 ? QColor(0x44, 0x44, 0x44) : QColor(0x55, 0x55, 0x55));
        painter.drawImage(p.place.topLeft(), RenderSkinImage(p.resource->id, p.place.size()));
    }
    if (!logos.isNull()) painter.drawImage(margin, y, logos);
    return out;
}

// The pictures put together the way the main window lays them out, at design size times s.
QImage WindowSheet() {
    const int W = S(1120), H = S(697);
    CResourceImage images;
    images.Load();
    QWidget window;
    window.resize(W, H);
    QImage out(W, H, QImage::Format_RGB32);
    {
        QPainter painter(&out);
        images.DrawSkinBackground(painter, out.rect());
        painter.setFont(UiFont(kFontF10));
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(S(4) + S(6), S(4)), QPoint(S(400), S(30))),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Orlo Viewer 02"));
        const int movieLeft = S(6), movieTop = S(24);
        const int movieWidth = W - 2 * S(6) - S(440) - 2 * S(6);
        const int movieHeight = H - S(10) - S(38) - S(24) - S(150) - S(105);
        const QRect movie(movieLeft, movieTop, movieWidth, movieHeight);
        images.Stretch(painter, movie, IDB_MOVIE_IDLE);
        const QRect info(movieLeft + S(1), movie.bottom() + 1 + S(10), movieWidth - S(1), S(105));
        images.Stretch(painter, info, IDB_INFO_BACKGROUND);
        const QRect graph(info.left(), info.bottom() + 1, info.width(),
                          S(2) + H - S(10) - S(38) - S(6) - S(105) - (movie.bottom() + 1));
        painter.fillRect(graph, Qt::black);
        painter.drawImage(graph.topLeft(),
                          RenderSkinImage(IDB_GSENSOR_BACKGROUND, QSize(S(640), S(120))));
        const QRect browser(QPoint(movie.right() + 1, movieTop + 1),
                            QPoint(movie.right() + S(440) + 2 * S(6), H - S(5) + S(1) - S(38)));
        painter.fillRect(browser, QColor(49, 49, 49));
        painter.setPen(QColor(170, 170, 170));
        painter.drawRect(browser.adjusted(0, 0, -1, -1));
        painter.fillRect(
            QRect(browser.left() + S(4), browser.top() + S(26), S(217), browser.height() - S(30)),
            Qt::white);
        painter.fillRect(
            QRect(browser.left() + S(224), browser.top() + S(26), S(224), browser.height() - S(30)),
            Qt::white);
    }
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setBrush(QPalette::Window, QPixmap::fromImage(out));
    window.setPalette(pal);

    auto* seek = new CSkinSliderCtrl(&window);
    seek->Create(38100, &window);
    const int movieWidth = W - 2 * S(6) - S(440) - 2 * S(6);
    const int movieBottom = S(24) + H - S(10) - S(38) - S(24) - S(150) - S(105);
    seek->setGeometry(S(6), movieBottom, movieWidth, S(10));
    seek->SetImages(IDB_SEEK_PLAYED, IDB_SEEK_REMAINING, IDB_SEEK_THUMB, IDB_SEEK_THUMB_PRESSED);
    seek->SetRange(0, 899);
    seek->SetPos(240);

    const int ids[] = {IDB_PLAY_STOP,  IDB_PLAY_PREV,   IDB_PAUSE,        IDB_PLAY_SLOW,
                       IDB_PLAY_FAST,  IDB_PLAY_NEXT,   IDB_SNAPSHOT,     IDB_SAVE_JOINED,
                       IDB_ZOOM_MODE,  IDB_OPEN_SOURCE, IDB_DELETE_FILES, IDB_SETTINGS,
                       IDB_EXPORT_CSV, IDB_MAP_TOGGLE};
    const int top = H - (S(32) + S(38)) / 2 - S(1);
    for (int i = 0; i < 14; ++i) {
        auto* button = new CSkinButton(&window);
        const int left = S(20) + i * (S(32) + S(15)) + (i >= 9 ? S(32) - S(2) : 0);
        button->Create(QRect(left, top, S(32), S(32)), 38000 + i);
        button->SetImage(ids[i], QSize(S(32), S(32)));
        button->setEnabled(i != 3 && i != 4 && i != 10);
    }
    auto* volume = new CSkinSliderCtrl(&window);
    volume->Create(38101, &window);
    volume->setGeometry(W - S(120), -S(5) + H - (S(38) + S(12)) / 2, S(100), S(20));
    volume->SetImages(IDB_VOLUME_PLAYED, IDB_VOLUME_REMAINING, IDB_VOLUME_THUMB,
                      IDB_VOLUME_THUMB_PRESSED);
    volume->SetRange(0, 65535);
    volume->SetPos(52000);

    struct Caption {
        int id, width, text;
    };
    const Caption captions[] = {{IDB_WND_CLOSE, 46, 0},
                                {IDB_WND_MAXIMIZE, 26, 0},
                                {IDB_WND_MINIMIZE, 26, 0},
                                {IDB_THUMBNAIL_TOGGLE, 150, 171}};
    int right = W - S(6) - S(4);
    for (const Caption& c : captions) {
        auto* button = new CSkinButton(&window);
        const int width = S(c.width);
        right -= width;
        button->Create(QRect(right, 0, width, S(18)), c.id);
        button->SetImage(c.id, QSize(width, S(18)));
        if (c.text) button->setText(Ui(c.text));
    }
    window.show();
    return window.grab().toImage();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"scale", "UI scale s.", "s", "1"});
    parser.addOption({"out", "Output prefix.", "prefix", "skin-gallery"});
    parser.addOption({"max-width", "Only pictures at most this wide (design pixels).", "w", "0"});
    parser.process(app);
    const double s = parser.value("scale").toDouble();
    if (s <= 0) {
        std::fprintf(stderr, "skin-gallery: the scale must be positive\n");
        return 2;
    }
    SetUiScaleFactors(s, s);
    SetUiFontDpi(96);
    const QString prefix = parser.value("out");
    const QString controls = prefix + "-controls.png";
    const QString pictures = prefix + "-pictures.png";
    const QString window = prefix + "-window.png";
    if (!ControlsSheet().save(controls) ||
        !PicturesSheet(parser.value("max-width").toInt()).save(pictures) ||
        !WindowSheet().save(window)) {
        std::fprintf(stderr, "skin-gallery: cannot write %s\n", qPrintable(prefix));
        return 1;
    }
    std::printf("%s\n%s\n%s\n", qPrintable(controls), qPrintable(pictures), qPrintable(window));
    return 0;
}
