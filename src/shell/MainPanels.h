#pragma once
// The panels around the two panes of the main window: the banner panel with
// its two banner controls, the link panel with its two link labels, and the
// status bar with its panels.

#include <QFrame>
#include <QStatusBar>
#include <QWidget>

class QLabel;
class TGauge;
class TLinkLabel;

// The banner panel centres whichever banner control shows, by hand, at
// every show and resize; a left click on either banner raises Clicked.
class TBannerPanel : public QFrame {
    Q_OBJECT
public:
    explicit TBannerPanel(int designHeight, QWidget* parent = nullptr);

    // Each coordinate that centres a control in a panel: (panel div 2) - (control div 2).
    static int CentreCoordinate(int panelExtent, int controlExtent);
    void CentreBanners();

    QLabel* imgBanner = nullptr; // still picture
    QLabel* gifBanner = nullptr; // animation

signals:
    void Clicked();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The link panel: one label at the left, the other kept at the right edge.
class TLinkPanel : public QWidget {
    Q_OBJECT
public:
    explicit TLinkPanel(int height, QWidget* parent = nullptr);

    TLinkLabel* lblLink1URL = nullptr;
    TLinkLabel* lblLink2URL = nullptr;

    // Both labels side by side with their margins: they never overlap.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The status bar: messages at the left, then the count of listed directories
// and the page-load gauge.
class TMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TMainStatusBar(int height, QWidget* parent = nullptr);

    // "N directories listed".
    void ShowDirectoryCount(int rows);
    // An autosave that failed, and why, in the message panel.
    void ShowSaveFailure(const QString& why);

    QLabel* MainStatusPanel = nullptr;
    QLabel* stpItems = nullptr;
    TGauge* MainGauge = nullptr;
};
