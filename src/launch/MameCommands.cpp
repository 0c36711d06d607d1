#include "launch/MameCommands.h"

bool IsPlainMameName(const QString& name) {
    if (name.isEmpty() || name.startsWith('-'))
        return false;
    for (const QChar c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!plain)
            return false;
    }
    return true;
}

std::optional<QString> PlayCommand(const QString& strMameCommand, const QString& name) {
    if (!IsPlainMameName(name))
        return std::nullopt;
    return strMameCommand + " " + name;
}

std::optional<QString> PlayWithOptionsCommand(const QString& strMameCommand, const QString& name,
                                              const QString& options) {
    if (!IsPlainMameName(name))
        return std::nullopt;
    return strMameCommand + " " + name + " " + options;
}

QString ListFullCommand(const QString& strMameCommand, const QString& file) {
    return strMameCommand + " -listfull > " + file;
}

QString ListClonesCommand(const QString& strMameCommand, const QString& file) {
    return strMameCommand + " -listclones > " + file;
}

QString ListSourceFileCommand(const QString& strMameCommand, const QString& file) {
    return strMameCommand + " -listsourcefile > " + file;
}

QString VerifySetsCommand(const QString& strMameCommand, const QString& file) {
    return strMameCommand + " -verifysets * > " + file;
}

QString CreateConfigCommand(const QString& strMameCommand) {
    return strMameCommand + " -createconfig";
}
