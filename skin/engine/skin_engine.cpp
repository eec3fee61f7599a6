#include "skin/engine/skin_engine.h"

#include <QApplication>
#include <QMetaEnum>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "skin/engine/skin_format.h"

namespace {

using namespace pexor::skinformat;

std::uint32_t readLe32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

struct Colour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QColor colour;
};

struct Skin {
    QString style;
    std::vector<Colour> colours;
    QString styleSheet;
};

// The description of well-formed skin data, or nothing.
std::optional<std::string_view> descriptionOf(const std::uint8_t* data, std::int32_t length) {
    if (data == nullptr || length < static_cast<std::int32_t>(kHeaderSize)) return std::nullopt;
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return std::nullopt;
    if (readLe32(data + 4) != kVersion) return std::nullopt;
    const std::uint32_t size = readLe32(data + 8);
    if (size > static_cast<std::uint32_t>(length) - kHeaderSize) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(data + kHeaderSize), size);
}

std::optional<QPalette::ColorRole> roleNamed(const QString& name) {
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    bool ok = false;
    const int value = roles.keyToValue(name.toLatin1().constData(), &ok);
    if (!ok || value < 0 || value >= QPalette::NColorRoles) return std::nullopt;
    return static_cast<QPalette::ColorRole>(value);
}

Skin parse(std::string_view description) {
    Skin skin;
    const QString text = QString::fromUtf8(description.data(), qsizetype(description.size()));
    const qsizetype marker = text.indexOf(QLatin1String(kStyleSheetMarker));
    const QString settings = marker < 0 ? text : text.left(marker);
    if (marker >= 0) skin.styleSheet = text.mid(marker + qsizetype(std::strlen(kStyleSheetMarker)));
    for (const QString& rawLine : settings.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("style")) {
            skin.style = value;
            continue;
        }
        const QColor colour = QColor::fromString(value);
        const qsizetype dot = key.indexOf(QLatin1Char('.'));
        if (!colour.isValid() || dot < 0) continue;
        const std::optional<QPalette::ColorRole> role = roleNamed(key.mid(dot + 1));
        if (!role) continue;
        const QString group = key.left(dot);
        if (group == QLatin1String("palette")) {
            skin.colours.push_back({QPalette::Active, *role, colour});
            skin.colours.push_back({QPalette::Inactive, *role, colour});
        } else if (group == QLatin1String("disabled")) {
            skin.colours.push_back({QPalette::Disabled, *role, colour});
        }
    }
    return skin;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t SkinH_AttachRes(
    const std::uint8_t* data, std::int32_t length, const char* /*password*/,
    std::int32_t /*reserved1*/, std::int32_t /*reserved2*/, std::int32_t /*reserved3*/) {
    if (data == nullptr || length <= 0) return kNoData;
    const std::optional<std::string_view> description = descriptionOf(data, length);
    if (!description) return kNotASkin;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) return kNoApplication;

    const Skin skin = parse(*description);
    // Style first: a new style brings its own palette, which the skin's
    // colours then change; roles the skin leaves out keep the style's.
    QPalette palette = QApplication::palette();
    if (!skin.style.isEmpty()) {
        if (QStyle* style = QStyleFactory::create(skin.style)) {
            QApplication::setStyle(style);
            palette = style->standardPalette();
        }
    }
    for (const Colour& c : skin.colours) palette.setColor(c.group, c.role, c.colour);
    QApplication::setPalette(palette);
    app->setStyleSheet(skin.styleSheet);
    return kApplied;
}
