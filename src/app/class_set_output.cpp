#include "app/class_set_output.h"

#include <QSaveFile>

namespace virdamo::app {

QString codeProblem(const ParsedCode& parsed)
{
    switch (parsed.error) {
    case CodeError::Empty: return QStringLiteral("Scrivere il codice della scheda.");
    case CodeError::WrongLength:
        return QStringLiteral("Un codice ha 10 caratteri, come H28T5-CY4TQ (il trattino si può omettere).");
    case CodeError::BadSymbol:
        return QString::fromUtf8("Il carattere «%1» non può stare in un codice.")
            .arg(QString::fromUcs4(&parsed.badSymbol, 1));
    case CodeError::WrongCheck: return QStringLiteral("Codice non valido: controllare di averlo scritto bene.");
    case CodeError::UnknownSettings:
        return QString::fromUtf8("Questo codice è di una versione più recente del programma.");
    }
    return {};
}

std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return std::nullopt;
    }
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError: return QStringLiteral("Non si può scrivere nella cartella scelta.");
    case QFileDevice::ResourceError: return QStringLiteral("Lo spazio sul disco non basta.");
    case QFileDevice::WriteError: return QStringLiteral("Errore di scrittura sul disco.");
    default: break;
    }
    return QStringLiteral("Errore imprevisto.\nDettagli: ") + file.errorString();
}

}  // namespace virdamo::app
