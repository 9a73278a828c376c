// The Message Output list as a model: six lines per session, each formed from the session's compact row
// only when a view asks for it, so a file of any size fills the list at once.
#pragma once

#include "report/CalculationResult.h"

#include <QAbstractListModel>
#include <QLocale>
#include <memory>

class MessageOutModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit MessageOutModel(QObject* parent = nullptr);

    /// Shows the sessions of `result`; nothing for a null result.
    void setResult(std::shared_ptr<const CalculationResult> result);
    void clear() { setResult(nullptr); }
    const CalculationResult* result() const { return m_result.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const CalculationResult> m_result;
    QLocale m_locale;
};
