#include "CliCompletion.h"

#include "CliCommand.h"
#include "CliHelp.h"

namespace {

// The bash lines of one command: its options, its sub-commands, and what follows an option that
// takes a value ("--view 0|1|2" offers 0, 1 and 2; "--timeout S" offers nothing).
QString commandCase(const CliCommand &command)
{
    QStringList options{QStringLiteral("--help")};
    QString values;
    for (const CliOption &option : command.options) {
        const QString name = option.name.section(u' ', 0, 0);
        const QString value = option.name.section(u' ', 1);
        options.append(name);
        if (value.isEmpty())
            continue;
        const QString choices = value.contains(u'|') ? value.split(u'|').join(u' ') : QString();
        values +=
            QStringLiteral("                %1) COMPREPLY=($(compgen -W \"%2\" -- \"$cur\")); return ;;\n")
                .arg(name, choices);
    }
    // The first word of each alternative of the usage that is not a file or an option.
    QStringList words;
    if (command.usage.contains(u'|') && !command.usage.startsWith(QLatin1String("FILE"))) {
        for (const QString &alternative : command.usage.split(u'|'))
            words.append(alternative.trimmed().section(u' ', 0, 0));
    }
    QString lines = QStringLiteral("        %1)\n            options=\"%2\"; words=\"%3\"\n")
                        .arg(command.name, options.join(u' '), words.join(u' '));
    if (!values.isEmpty())
        lines += QStringLiteral("            case \"$prev\" in\n%1            esac\n").arg(values);
    return lines + QStringLiteral("            ;;\n");
}

} // namespace

QString CliCompletion::bashScript()
{
    QStringList names;
    QString cases;
    for (const CliCommand &command : CliHelp::sortedCommands()) {
        names.append(command.name);
        cases += commandCase(command);
    }
    return QStringLiteral(
               "# bash completion for quillmarsh-cli, made from the tool's command table.\n"
               "_quillmarsh_cli()\n"
               "{\n"
               "    local cur prev options words\n"
               "    COMPREPLY=()\n"
               "    cur=\"${COMP_WORDS[COMP_CWORD]}\"\n"
               "    prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
               "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
               "        COMPREPLY=($(compgen -W \"@COMMANDS@ help --help --version\" -- \"$cur\"))\n"
               "        return\n"
               "    fi\n"
               "    case \"${COMP_WORDS[1]}\" in\n"
               "@CASES@"
               "        help)\n"
               "            [ \"$COMP_CWORD\" -eq 2 ] && COMPREPLY=($(compgen -W \"@COMMANDS@\" -- "
               "\"$cur\"))\n"
               "            return ;;\n"
               "        *) return ;;\n"
               "    esac\n"
               "    if [[ \"$cur\" == -* ]]; then\n"
               "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
               "    elif [ \"$COMP_CWORD\" -eq 2 ] && [ -n \"$words\" ]; then\n"
               "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
               "    else\n"
               "        # Databases and folders; any file when none matches (outputs, JSON, templates).\n"
               "        COMPREPLY=($(compgen -f -X '!*.site' -- \"$cur\") $(compgen -d -- \"$cur\"))\n"
               "        [ ${#COMPREPLY[@]} -eq 0 ] && COMPREPLY=($(compgen -f -- \"$cur\"))\n"
               "    fi\n"
               "}\n"
               "complete -o filenames -F _quillmarsh_cli quillmarsh-cli\n")
        .replace(QStringLiteral("@COMMANDS@"), names.join(u' '))
        .replace(QStringLiteral("@CASES@"), cases);
}
