#pragma once
// A label that stands for a web address: underlined, hand cursor, blue while
// the mouse is over it, and a click reports its address. Only an address the
// desktop's opener may receive (http, https, mailto; one without a scheme is
// a web address) makes a link: with any other the label is plain text and
// clicks report nothing.

#include <QLabel>

#include <string>

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    void SetCaption(const std::string& caption);
    std::string Caption() const;
    void SetAddress(const std::string& address);
    const std::string& Address() const { return FAddress; }
    bool IsLink() const { return FIsLink; }
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
    bool FIsLink = false;
};
