#pragma once

#include <QWidget>

#include <string>

namespace pexor {

// The HTML view control. It remembers the address it was told to show; the
// browser component that renders it is attached separately.
class HtmlView : public QWidget {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent);

    // Starts showing the address and returns at once.
    void navigate(const std::string& address);
    const std::string& address() const { return address_; }

private:
    std::string address_;
};

}  // namespace pexor
