#pragma once

#include "ui/framework/CPropertyPageEx.h"

class CLinkLabel;

// The "Info" page of the about box: the program's icon, name and version, the maker's notice and
// links to the support address and the web site.
class CAboutInfoPage : public CPropertyPageEx {
    Q_OBJECT
public:
    explicit CAboutInfoPage(QWidget* parent = nullptr);

    static QString SupportAddress();
    static QString WebAddress();

    CLinkLabel* SupportLink() const { return m_supportLink; }
    CLinkLabel* WebLink() const { return m_webLink; }

private:
    CLinkLabel* m_supportLink;
    CLinkLabel* m_webLink;
};
