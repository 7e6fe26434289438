#include "Selection.h"

#include "CliText.h"

std::vector<bool> Selection::pick(const std::vector<Item>& items, const QStringList& values,
                                  QString& error) {
    std::vector<bool> picked(items.size(), false);
    error.clear();
    for (const QString& value : values) {
        bool named = false;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            bool match = !item.id.isEmpty() && item.id == value;
            for (const QString& name : item.names)
                match = match || name.compare(value, Qt::CaseInsensitive) == 0;
            if (match) {
                picked[i] = true;
                named = true;
            }
        }
        if (!named) {
            QStringList offered;
            for (const Item& item : items) {
                const QString first = item.names.isEmpty() ? QString() : item.names.first();
                const QString entry =
                    item.id.isEmpty() ? first : QStringLiteral("%1 %2").arg(item.id, first);
                if (!entry.isEmpty() && !offered.contains(entry))
                    offered << entry;
            }
            error = CliText::get(CliText::UnknownSelection)
                        .arg(value, offered.join(QStringLiteral(", ")));
            return {};
        }
    }
    return picked;
}
