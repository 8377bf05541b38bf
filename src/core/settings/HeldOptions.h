#pragma once

#include "core/settings/StoredOptions.h"

#include <vector>

namespace resonex::stored {

// An option's value as an object holds it between reading and writing the
// store.
class HeldOption {
public:
    virtual void read(const OptionsStore& store) = 0;
    virtual void write(OptionsStore& store) const = 0;

protected:
    HeldOption() = default;
    ~HeldOption() = default;
};

// The options an object holds, read from the store and written back all
// together, in the order they were declared.
class HeldOptions {
public:
    HeldOptions() = default;
    HeldOptions(const HeldOptions&) = delete;
    HeldOptions& operator=(const HeldOptions&) = delete;

    void add(HeldOption& option) { m_options.push_back(&option); }
    void read(const OptionsStore& store) {
        for (HeldOption* option : m_options)
            option->read(store);
    }
    void write(OptionsStore& store) const {
        for (const HeldOption* option : m_options)
            option->write(store);
    }

private:
    std::vector<HeldOption*> m_options;
};

// The value of one entry of the store (a BooleanOption, an IntegerOption or a
// TextOption), at the entry's default until it is read; it joins the set it is
// declared with.
template <typename Entry> class Held final : public HeldOption {
public:
    using Value = typename Entry::Value;

    Held(HeldOptions& set, const Entry& entry) : m_entry(entry), m_value(entry.defaultValue()) {
        set.add(*this);
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    const Value& value() const { return m_value; }
    void set(const Value& value) { m_value = value; }
    void reset() { m_value = m_entry.defaultValue(); }

    void read(const OptionsStore& store) override { m_value = m_entry.read(store); }
    void write(OptionsStore& store) const override { m_entry.write(store, m_value); }

private:
    Entry m_entry;
    Value m_value;
};

} // namespace resonex::stored
