// The session list of the file last totalled, with its totals. Created when first asked for, shown on request,
// hidden (never destroyed) when closed; it remembers its position.
#pragma once

#include <QWidget>
#include <memory>

class MessageOutModel;
class QGroupBox;
class QLabel;
class QPushButton;
class Settings;
class UniformListView;
struct CalculationResult;

class TMessageOut final : public QWidget
{
    Q_OBJECT
public:
    /// A window that does not store its position.
    explicit TMessageOut(QWidget* parent = nullptr);
    /// Takes its position from the settings and stores it there on every close.
    explicit TMessageOut(Settings& settings, QWidget* parent = nullptr);
    ~TMessageOut() override;

    /// Empties the list and the three totals.
    void clear();
    /// The sessions and totals of a totalled file.
    void showResult(std::shared_ptr<const CalculationResult> result);

    MessageOutModel* model() const { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormCloseQuery();
    void btnOKClick();

    Settings* m_settings = nullptr;
    MessageOutModel* m_model;

    UniformListView* lbMessage;
    QWidget* pnBottom;
    QGroupBox* GroupBox1;
    QLabel* lblTotalReceived;
    QGroupBox* GroupBox2;
    QLabel* lblTotalSent;
    QGroupBox* gbTotalTime;
    QLabel* lblTotalTime;
    QPushButton* btnOK;
};
