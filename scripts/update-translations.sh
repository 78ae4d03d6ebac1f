#!/usr/bin/env bash
# Refreshes translations/quillmarsh_*.ts from the sources: new texts are added unfinished, texts no
# longer in the sources are dropped. Then finish the new messages in Qt Linguist
# (linguist translations/quillmarsh_de.ts, and the English plurals in quillmarsh_en.ts); the test
# "translations_catalogue" fails until every message is finished.
set -euo pipefail
cd "$(dirname "$0")/.."
bins=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
lupdate=${LUPDATE:-$bins/lupdate}
# No source locations: they would change with every edit and make the files hard to merge.
options=(-locations none -no-obsolete -no-ui-lines -extensions cpp,h,ui)
for ts in translations/quillmarsh_*.ts; do
    [ "$ts" = translations/quillmarsh_en.ts ] && continue
    "$lupdate" "${options[@]}" src -ts "$ts" "$@"
done
# English needs only the texts with a count: their singular and plural forms.
"$lupdate" "${options[@]}" -pluralonly -source-language en -target-language en src \
    -ts translations/quillmarsh_en.ts "$@"
