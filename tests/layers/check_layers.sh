#!/bin/sh
# Checks the include direction between the source folders: a folder may
# include its own headers and those of the folders below it, never one
# above it or beside it. Every include of a folder's headers is checked
# against the table, so each pair of folders is covered; a folder missing
# from the table fails the check, so a new one has to take its place here.
#
# Usage: check_layers.sh SOURCE_DIR
set -u
root=$1

# folder: the folders it may include besides itself
allowed() {
    case $1 in
    platform) echo "" ;;
    res) echo "" ;;
    model) echo "platform" ;;
    document) echo "model platform" ;;
    audio) echo "model platform" ;;
    album) echo "document model platform" ;;
    verify) echo "document model platform" ;;
    discimage) echo "document model platform" ;;
    embed) echo "document model platform" ;;
    net) echo "" ;;
    tracks) echo "album verify discimage audio document model platform" ;;
    cli) echo "tracks embed net album verify discimage audio document model platform res" ;;
    samples) echo "" ;;
    player) echo "audio model platform" ;;
    view) echo "player tracks embed net album verify discimage audio document model platform res" ;;
    app) echo "view player tracks embed net album verify discimage audio document model platform res" ;;
    *) echo "?" ;;
    esac
}

folders="platform res model document audio album verify discimage embed net tracks cli samples player view app"
status=0
for folder in $folders; do
    [ -d "$root/$folder" ] || continue
    may=$(allowed "$folder")
    # Every '#include "x/...' of the folder's sources, as "file:x".
    for hit in $(grep -rEo '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[A-Za-z0-9_]+/' \
                     --include='*.h' --include='*.cpp' --include='*.c' "$root/$folder" |
                 sed -E 's|^([^:]*):.*"([A-Za-z0-9_]+)/$|\1:\2|'); do
        file=${hit%:*}
        target=${hit##*:}
        [ "$target" = "$folder" ] && continue
        case " $may " in
        *" $target "*) ;;
        *)
            echo "${file#$root/} includes $target/: $folder may include only: ${may:-nothing but itself}"
            status=1
            ;;
        esac
    done
done
# A folder of sources the table does not know.
for dir in "$root"/*/; do
    name=$(basename "$dir")
    case " $folders bench cmake docs fuzz scripts tests " in
    *" $name "*) ;;
    build*) ;;
    *)
        if find "$dir" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \) | grep -q .; then
            echo "$name/ holds sources but has no place in the layer table"
            status=1
        fi
        ;;
    esac
done
exit $status
