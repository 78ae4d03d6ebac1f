#!/usr/bin/env bash
# Installs the build in build folder $1 into a scratch folder (prefix /usr, as the package does) and
# checks the layout: both programs, the desktop entry, AppStream metadata, MIME types, icons, manual
# pages, the bash completion and the documentation, each validated by its own tool.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_FOLDER}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

id=org.quillmarsh.Quillmarsh
for file in bin/quillmarsh bin/quillmarsh-cli \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/quillmarsh.xml \
    share/icons/hicolor/scalable/apps/quillmarsh.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-quillmarsh-site.svg \
    share/man/man1/quillmarsh.1.gz share/man/man1/quillmarsh-cli.1.gz \
    share/bash-completion/completions/quillmarsh-cli \
    share/doc/quillmarsh/copyright share/doc/quillmarsh/changelog.gz share/doc/quillmarsh/README.md; do
    [ -f "$usr/$file" ] || fail "missing $file"
done
# Nothing of the build beyond that: no libraries, headers or test programs.
extra=$(cd "$usr" && find . -type f | grep -vE '^\./(bin/quillmarsh(-cli)?|share/(applications|metainfo|mime|icons|man|bash-completion|doc)/)' || true)
[ -z "$extra" ] || fail "unexpected files: $extra"

desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$("$usr/bin/quillmarsh-cli" --version | cut -d' ' -f2)\"" \
    "$usr/share/metainfo/$id.metainfo.xml" || fail "the metainfo's release is not the program's version"

# Both programs answer --version and --help without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/quillmarsh" --version) || fail "quillmarsh --version"
[ "$version" = "Quillmarsh $("$usr/bin/quillmarsh-cli" --version | cut -d' ' -f2)" ] || fail "the versions differ: $version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/quillmarsh" --help | grep -q -- '--version' ||
    fail "quillmarsh --help"

for page in quillmarsh quillmarsh-cli; do
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
done

completion="$usr/share/bash-completion/completions/quillmarsh-cli"
bash -n "$completion" || fail "the completion is not valid bash"
complete_words() { # the completions offered for the words given, the last one being completed
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quillmarsh_cli; echo "${COMPREPLY[*]}"' \
        _ "$completion" "$@"
}
[ "$(complete_words quillmarsh-cli veri)" = "verify" ] || fail "command completion"
[ "$(complete_words quillmarsh-cli verify x.site --sa)" = "--save" ] || fail "option completion"
[ "$(complete_words quillmarsh-cli chart x.site --view '')" = "0 1 2" ] || fail "value completion"
mkdir -p "$root/work" && touch "$root/work/a.site" "$root/work/b.txt"
[ "$(cd "$root/work" && complete_words quillmarsh-cli dump '')" = "a.site" ] || fail "file completion"

exit $failed
