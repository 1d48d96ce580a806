/* Parses a cue sheet with libcue and walks every track and index: the
 * libcue peer that bench/peers.sh times as a whole process. */
#include <libcue.h>
#include <stdio.h>

int main(int argc, char **argv)
{
	FILE *f;
	Cd *cd;
	int tracks, t, i;
	long indexes = 0, sum = 0;

	if (argc != 2) {
		fputs("usage: libcue_walk SHEET.cue\n", stderr);
		return 2;
	}
	f = fopen(argv[1], "r");
	if (!f) {
		perror(argv[1]);
		return 1;
	}
	cd = cue_parse_file(f);
	fclose(f);
	if (!cd) {
		fprintf(stderr, "%s: libcue could not parse it\n", argv[1]);
		return 1;
	}
	tracks = cd_get_ntrack(cd);
	for (t = 1; t <= tracks; ++t) {
		const Track *track = cd_get_track(cd, t);
		sum += track_get_start(track) + track_get_length(track);
		for (i = 0; i < 100; ++i) {
			long at = track_get_index(track, i);
			if (at != -1) {
				++indexes;
				sum += at;
			}
		}
	}
	printf("%d tracks, %ld indexes, checksum %ld\n", tracks, indexes, sum);
	cd_delete(cd);
	return 0;
}
