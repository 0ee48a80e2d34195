#pragma once
// A label that stands for a web address: underlined, hand cursor, blue while
// the mouse is over it, and a click reports its address.

#include <QLabel>

#include <string>

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    void SetCaption(const std::string& caption);
    std::string Caption() const;
    void SetAddress(const std::string& address) { FAddress = address; }
    const std::string& Address() const { return FAddress; }
    // Follows the link, as a click does.
    void Activate();

signals:
    void Clicked(const std::string& address);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetActive(bool active);

    std::string FAddress;
};
