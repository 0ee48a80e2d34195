#include "shell/MainPanels.h"

#include "toolkit/Gauge.h"
#include "toolkit/LinkLabel.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

TBannerPanel::TBannerPanel(int designHeight, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("panBanner"));
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(designHeight);
    imgBanner = new QLabel(this);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setGeometry(0, 0, 468, 60);
    imgBanner->setAccessibleName(QStringLiteral("Banner"));
    gifBanner = new QLabel(this);
    gifBanner->setObjectName(QStringLiteral("gifBanner"));
    gifBanner->setAccessibleName(QStringLiteral("Banner"));
    gifBanner->hide();
    gifBanner->setGeometry(imgBanner->geometry());
    imgBanner->installEventFilter(this);
    gifBanner->installEventFilter(this);
}

int TBannerPanel::CentreCoordinate(int panelExtent, int controlExtent)
{
    return panelExtent / 2 - controlExtent / 2;
}

void TBannerPanel::CentreBanners()
{
    for (QLabel* banner : {imgBanner, gifBanner})
        banner->move(CentreCoordinate(width(), banner->width()), CentreCoordinate(height(), banner->height()));
}

void TBannerPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    CentreBanners();
}

void TBannerPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    CentreBanners();
}

bool TBannerPanel::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == imgBanner || watched == gifBanner) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit Clicked();
    return QFrame::eventFilter(watched, event);
}

TLinkPanel::TLinkPanel(int height, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("panLinks"));
    setFixedHeight(height);
    lblLink1URL = new TLinkLabel(this);
    lblLink1URL->setObjectName(QStringLiteral("lblLink1URL"));
    lblLink2URL = new TLinkLabel(this);
    lblLink2URL->setObjectName(QStringLiteral("lblLink2URL"));
    for (TLinkLabel* label : {lblLink1URL, lblLink2URL}) {
        label->SetCaption("Google");
        label->SetAddress("http://www.google.com/");
    }
    lblLink1URL->move(13, 6);
}

QSize TLinkPanel::minimumSizeHint() const
{
    const int margin = lblLink1URL->x();
    return {margin + lblLink1URL->sizeHint().width() + margin + lblLink2URL->sizeHint().width() + margin, height()};
}

void TLinkPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    lblLink2URL->adjustSize();
    lblLink2URL->move(width() - 13 - lblLink2URL->width(), 6);
}

TMainStatusBar::TMainStatusBar(int height, QWidget* parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setFixedHeight(height);
    MainStatusPanel = new QLabel(this);
    stpItems = new QLabel(this);
    stpItems->setObjectName(QStringLiteral("stpItems"));
    stpItems->setFixedWidth(194);
    ShowDirectoryCount(0);
    MainGauge = new TGauge(this);
    MainGauge->setObjectName(QStringLiteral("MainGauge"));
    MainGauge->setAccessibleName(QStringLiteral("Page load"));
    MainGauge->setFixedWidth(130);
    addWidget(MainStatusPanel, 1);
    addPermanentWidget(stpItems);
    addPermanentWidget(MainGauge);
}

void TMainStatusBar::ShowDirectoryCount(int rows)
{
    stpItems->setText(QString::number(rows) + QStringLiteral(" directories listed"));
}

void TMainStatusBar::ShowSaveFailure(const QString& why)
{
    MainStatusPanel->setText(QStringLiteral("Your changes could not be saved: ") + why);
}
