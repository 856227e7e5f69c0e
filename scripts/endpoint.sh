# Sourced by db.sh and guard_check.sh: reads db/endpoint.conf, the file the
# build reads too. Its lines are read as text, never run.
#   endpoint_value KEY   prints KEY's value; exits when the file lacks it

endpoint_value() {
    local file key line value="" found=0
    file="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/db/endpoint.conf"
    key="$1"
    while IFS= read -r line || [ -n "$line" ]; do
        line="${line%$'\r'}"
        case "$line" in
            "$key="*)
                value="${line#*=}"
                found=1
                ;;
        esac
    done <"$file"
    if [ "$found" -eq 0 ] || [ -z "$value" ]; then
        echo "$(basename "$0"): $file gives no $key" >&2
        exit 1
    fi
    printf '%s' "$value"
}
