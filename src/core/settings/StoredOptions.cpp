#include "core/settings/StoredOptions.h"

#include "core/errors/ResonexError.h"
#include "core/settings/OptionsStore.h"
#include "core/text/NumberText.h"

#include <QDir>

namespace resonex::stored {

bool BooleanOption::read(const OptionsStore& store) const {
    try {
        return text::toBoolean(store.value(group, key, text::booleanText(fallback)));
    } catch (const ResonexError&) {
        return fallback;
    }
}

void BooleanOption::write(OptionsStore& store, bool value) const {
    store.setValue(group, key, text::booleanText(value));
}

qint16 IntegerOption::read(const OptionsStore& store) const {
    try {
        const qint16 value =
            text::toInt16(text::toSingle(store.value(group, key, QString::number(fallback))));
        return value >= smallest && value <= largest ? value : fallback;
    } catch (const ResonexError&) {
        return fallback;
    }
}

void IntegerOption::write(OptionsStore& store, qint16 value) const {
    store.setValue(group, key, QString::number(value));
}

QString TextOption::read(const OptionsStore& store) const {
    return store.value(group, key, fallback());
}

void TextOption::write(OptionsStore& store, const QString& value) const {
    store.setValue(group, key, value);
}

std::optional<float> WindowEdge::read(const OptionsStore& store, const QString& window) const {
    try {
        return text::toSingle(store.value(group, key(window), QString()));
    } catch (const ResonexError&) {
        return std::nullopt;
    }
}

void WindowEdge::write(OptionsStore& store, const QString& window, float twips) const {
    store.setValue(group, key(window), text::generalText(twips));
}

QStringList TextListOption::read(const OptionsStore& store) const {
    QStringList values;
    for (int i = 1; i <= limit; ++i) {
        const QString value = store.value(group, prefix + QString::number(i), QString());
        if (!value.isEmpty())
            values << value;
    }
    return values;
}

void TextListOption::write(OptionsStore& store, const QStringList& values) const {
    for (int i = 1; i <= limit; ++i)
        store.setValue(group, prefix + QString::number(i), values.value(i - 1));
}

QString homeFolder() { return QDir::homePath(); }

} // namespace resonex::stored
