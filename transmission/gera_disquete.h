#pragma once
// Month closing and the writing of the diskette: the operations of the main
// window that put the unsent invoices and the managing units onto drive A:, mark
// them as sent and close the reference month; and the clearing of the invoices.
// The main window keeps these members by name and hands them over to one
// DisketteGeneration, which works on the data module.

#include <QString>
#include <functional>

class QWidget;

namespace meru {

class DisketteGeneration {
public:
    // owner: the window over which the format dialog opens.
    explicit DisketteGeneration(QWidget* owner);

    // "Finalizar Mês": two questions, then the driver in closing mode.
    void btb_fechamesClick();
    // The driver: regera 1 writes the invoices of the month `referencia` and the
    // confirmed unit again; any other value sends everything pending.
    void gera_disquete(const QString& referencia, unsigned char regera);
    // "&Limpar Banco de Dados": empties the invoices and the reference month.
    void LimparBancodeDados1Click();

    // The steps of the driver, in their order.
    void formata_disquete();
    void grava_disquete();
    void limpa_referencias();
    void torna_gerado();

    // Called as each step of the driver starts, with its name; for tests that
    // stop the program at a given step. An empty function removes the observer.
    static void setStepObserver(std::function<void(const char* step)> observer);

private:
    bool keepCopyBefore(const QString& operation);
    void selectRows(const QString& referencia);

    QWidget* owner_;
    bool regenerating_ = false;
    QString referencia_;
    QString cnpj_;
};

}  // namespace meru
