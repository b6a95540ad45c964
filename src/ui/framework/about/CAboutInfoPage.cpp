#include "ui/framework/about/CAboutInfoPage.h"

#include "ui/framework/CLinkLabel.h"
#include "util/FileHelpers.h"

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

CAboutInfoPage::CAboutInfoPage(QWidget* parent)
    : CPropertyPageEx(QStringLiteral("Info"), parent),
      m_supportLink(new CLinkLabel(SupportAddress(), this)),
      m_webLink(new CLinkLabel(WebAddress(), this)) {
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/Quarrybook.png")).pixmap(64, 64));

    auto* product = new QLabel(QStringLiteral("Quarrybook for Pocket PC"), this);
    QFont bold = product->font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0)
        bold.setPointSizeF(bold.pointSizeF() * 1.25);
    product->setFont(bold);

    auto* version = new QLabel(QStringLiteral("Version ") + ProgramVersionText(), this);
    auto* notice = new QLabel(QStringLiteral("Copyright \u00A9 Quarrybook contributors"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    for (QWidget* line : {static_cast<QWidget*>(icon), static_cast<QWidget*>(product),
                          static_cast<QWidget*>(version), static_cast<QWidget*>(notice)})
        layout->addWidget(line, 0, Qt::AlignHCenter);
    layout->addSpacing(12);
    layout->addWidget(m_supportLink, 0, Qt::AlignHCenter);
    layout->addWidget(m_webLink, 0, Qt::AlignHCenter);
    layout->addStretch(1);
}

QString CAboutInfoPage::SupportAddress() {
    return QStringLiteral("support@quarrybook.invalid");
}

QString CAboutInfoPage::WebAddress() {
    return QStringLiteral("https://quarrybook.invalid");
}
