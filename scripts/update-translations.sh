#!/usr/bin/env bash
# Refreshes translations/quillmarsh_*.ts from the sources: new texts are added unfinished, texts no
# longer in the sources are dropped. Then finish the new messages in Qt Linguist
# (linguist translations/quillmarsh_de.ts); the test "translations_catalogue" fails until every
# message is finished.
set -euo pipefail
cd "$(dirname "$0")/.."
bins=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
lupdate=${LUPDATE:-$bins/lupdate}
# No source locations: they would change with every edit and make the files hard to merge.
"$lupdate" -locations none -no-obsolete -no-ui-lines -extensions cpp,h,ui src -ts translations/quillmarsh_*.ts "$@"
